// The launcher's run: prepare the working directories, trace the run, read the
// property file, start the installation's Java runtime with its output in the
// dated diagnostic log, and wait for it.
#ifndef LORVEX_LAUNCHER_H
#define LORVEX_LAUNCHER_H

#include <string>

namespace lorvex {

// The argument text of this process's command line.
std::string processArgumentText();

// Runs the launcher once; returns the exit code: -1 when the property file
// could not be opened, 0 otherwise (also when the Java runtime did not start).
int runLauncher(const std::string& argumentText);

}  // namespace lorvex

#endif
