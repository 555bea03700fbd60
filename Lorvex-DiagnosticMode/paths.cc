#include "paths.h"

#include "texts.h"

namespace lorvex {

std::string joinPath(const std::string& base, const std::string& name) {
  return base + '\\' + name;
}

std::string logDateSuffix(unsigned year, unsigned month, unsigned day) {
  return std::to_string(year) + '-' + std::to_string(month) + '-' +
         std::to_string(day);
}

// The Java runtime's path is enclosed in double quotes when it holds a blank
// or a tab, and only then. Unquoted, the system would try the path's pieces
// as programs (C:\Program.exe for C:\Program Files\...) and the Java runtime
// would split its own path into several arguments. A Windows path holds no
// double quote, and this one ends in "java.exe", never in a backslash that
// could escape the closing quote, so enclosing it is all the quoting needed.
std::string javaCommandLine(const std::string& workingDirectory,
                            const std::string& argumentText) {
  std::string program = joinPath(workingDirectory, kJavaRuntime);
  if (program.find_first_of(" \t") != std::string::npos) {
    program = '"' + program + '"';
  }
  return program + ' ' + argumentText;
}

}  // namespace lorvex
