#include "arguments.h"

#include "texts.h"

namespace lorvex {

// The rule by which the runtime's start-up of a GUI program removes the
// program's name before WinMain. We apply it ourselves to GetCommandLineA
// because MinGW's start-up code cuts the name at the first byte of 0x80 or
// above, which would hand a name with such bytes to the scan.
//
// 1. The first token runs as long as the byte, taken unsigned, is above 0x20,
//    or is any byte but the terminator while a double quote is open. Every
//    double quote toggles the quoted state and belongs to the token; quotes
//    need not be balanced. A DBCS lead byte takes the byte after it into the
//    token unseen, so a trail byte of 0x22 or 0x20 neither toggles the quotes
//    nor ends the token.
// 2. After the token, every byte from 0x01 to 0x20 is skipped.
// 3. The rest up to the terminator is the argument text, unchanged.
std::string argumentTextFromCommandLine(const char* commandLine,
                                        IsLeadByte isLeadByte) {
  const auto* p = reinterpret_cast<const unsigned char*>(commandLine);
  bool quoted = false;
  while (*p > 0x20 || (*p != 0 && quoted)) {
    if (*p == '"') {
      quoted = !quoted;
    } else if (isLeadByte(*p) && p[1] != 0) {
      ++p;
    }
    ++p;
  }
  while (*p != 0 && *p <= 0x20) ++p;
  return reinterpret_cast<const char*>(p);
}

// A "-" takes the character after it along: "-c" requests another property
// file, any other option is dropped unseen, and a "-" at the very end ends the
// scan. Blanks (0x20 only) are skipped. Any other character starts the file
// name, which runs to the end of the text, blanks, quotes and "-c" included.
ArgumentScan scanArguments(const std::string& argumentText) {
  ArgumentScan scan;
  std::size_t i = 0;
  while (i < argumentText.size()) {
    const char c = argumentText[i];
    if (c == '-') {
      if (i + 1 == argumentText.size()) break;
      const char option = argumentText[i + 1];
      i += 2;
      if (option == 'c') {
        scan.alternateFileRequested = true;
        scan.traceLines.emplace_back(kTraceLoadAnotherPropertyFile);
      }
    } else if (c == ' ') {
      ++i;
    } else {
      scan.alternateFileName = argumentText.substr(i);
      scan.traceLines.emplace_back(kTraceExtractProperty);
      scan.traceLines.push_back(scan.alternateFileName);
      break;
    }
  }
  return scan;
}

}  // namespace lorvex
