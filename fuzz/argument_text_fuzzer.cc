// Fuzzes the launcher's argument text: a command line in, the text after the
// program's name out, and the scan of that text for "-c" and a file name.
// The first byte of an input picks the code page's lead bytes, the rest is
// the command line (up to its first NUL, as the system hands it over).
#include <cstddef>
#include <cstdint>
#include <string>

#include "arguments.h"
#include "fuzz_check.h"
#include "texts.h"

namespace {

bool noLeadByte(unsigned char) { return false; }
// The lead bytes of a Japanese double-byte code page.
bool leadByteJapanese(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
bool everyHighByteLeads(unsigned char b) { return b >= 0x80; }

const lorvex::IsLeadByte kLeadByteRules[] = {noLeadByte, leadByteJapanese,
                                             everyHighByteLeads};

// The scan takes any text, NULs included.
void checkScan(const std::string& text) {
  const lorvex::ArgumentScan scan = lorvex::scanArguments(text);
  const std::string& name = scan.alternateFileName;
  require(endsWith(text, name), "the file name is a suffix of the argument text");
  require(name.empty() || (name[0] != ' ' && name[0] != '-'),
          "the file name starts after the blanks and options");

  // Trace lines: one line per "-c", then the two lines of a file name.
  std::size_t requests = 0;
  while (requests < scan.traceLines.size() &&
         scan.traceLines[requests] == lorvex::kTraceLoadAnotherPropertyFile) {
    ++requests;
  }
  require(scan.alternateFileRequested == (requests > 0),
          "another file is requested exactly when a \"-c\" was traced");
  const std::size_t rest = scan.traceLines.size() - requests;
  if (name.empty()) {
    require(rest == 0, "no trace line after the options without a file name");
  } else {
    require(rest == 2 && scan.traceLines[requests] == lorvex::kTraceExtractProperty &&
                scan.traceLines[requests + 1] == name,
            "a file name is traced after the options");
  }

  // Blanks and a "-c" in front change nothing but the request.
  const lorvex::ArgumentScan prefixed = lorvex::scanArguments("  -c " + text);
  require(prefixed.alternateFileRequested, "a leading \"-c\" requests another file");
  require(prefixed.alternateFileName == name, "a leading \"-c\" keeps the file name");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const lorvex::IsLeadByte isLeadByte = kLeadByteRules[data[0] % 3];
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string commandLine = bytes.c_str();

  const std::string text = lorvex::argumentTextFromCommandLine(commandLine.c_str(), isLeadByte);
  require(endsWith(commandLine, text), "the argument text is a suffix of the command line");
  require(text.empty() || static_cast<unsigned char>(text[0]) > 0x20,
          "the argument text starts after the blanks and control characters");
  require(text.size() < commandLine.size() || commandLine.empty(),
          "the program's name is never part of the argument text");

  checkScan(text);
  checkScan(bytes);
  return 0;
}
