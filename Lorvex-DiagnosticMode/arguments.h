// The launcher's argument text and its scan: pure rules, no system call.
#ifndef LORVEX_ARGUMENTS_H
#define LORVEX_ARGUMENTS_H

#include <string>
#include <vector>

namespace lorvex {

// Tells whether a byte is a lead byte of a double-byte character in the
// system's ANSI code page.
using IsLeadByte = bool (*)(unsigned char byte);

// The argument text of a process command line: the command line without its
// first token (the program's name) and the control characters and blanks that
// follow it. The result is never cut.
std::string argumentTextFromCommandLine(const char* commandLine,
                                        IsLeadByte isLeadByte);

// What the argument text asks for, and the trace lines its scan writes.
struct ArgumentScan {
  bool alternateFileRequested = false;
  std::string alternateFileName;
  std::vector<std::string> traceLines;
};

// Scans the argument text for the option "-c" and a property file name.
ArgumentScan scanArguments(const std::string& argumentText);

}  // namespace lorvex

#endif
