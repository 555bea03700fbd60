// How the launcher composes its paths, the diagnostic log's date suffix and
// the Java runtime's command line: pure rules, no system call.
#ifndef LORVEX_PATHS_H
#define LORVEX_PATHS_H

#include <string>

namespace lorvex {

// base + "\" + name, with no test of what base ends with: a drive root such
// as "C:\" gives two backslashes in a row.
std::string joinPath(const std::string& base, const std::string& name);

// The date as year-month-day in decimal without leading zeros: "2014-9-16".
std::string logDateSuffix(unsigned year, unsigned month, unsigned day);

// The command line that starts the installation's Java runtime: its path
// below the working directory (in double quotes when it holds a blank or a
// tab), one blank, and the argument text.
std::string javaCommandLine(const std::string& workingDirectory,
                            const std::string& argumentText);

}  // namespace lorvex

#endif
