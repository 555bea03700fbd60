// A portable installation for the launcher's end-to-end tests: a fresh
// directory below the temporary directory with the built launcher and the
// stand-in Java runtime copied in, and the means to run the launcher there
// the way a user would, pressing OK on every box it shows.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "message_boxes.h"

namespace e2e {

// Variables added to the started program's environment (and so to the
// stand-in's, which inherits the launcher's).
using Environment = std::vector<std::pair<std::string, std::string>>;

// A started program that has not been driven to its end yet.
struct Started {
  HANDLE process = nullptr;
  ULONGLONG startTick = 0;
  std::string dateBefore;  // the UTC date suffix just before the start
};

// What one run of a program gave.
struct RunResult {
  DWORD exitCode = 0;  // -1 reads as 0xFFFFFFFF
  bool ended = false;  // false: killed at the time limit
  std::vector<message_boxes::Box> boxes;
  ULONGLONG elapsedMs = 0;
  std::string dateBefore;  // UTC date suffixes around the run: equal unless
  std::string dateAfter;   // the run crossed midnight
};

// The UTC date as the diagnostic log's name ends: year-month-day in
// decimal without leading zeros.
std::string todaySuffix();

// Starts the command line in the directory with these creation flags; the
// program inherits this process's environment plus `extra`.
Started start(const std::string& commandLine, const std::string& directory,
              const Environment& extra, DWORD creationFlags = 0);

// Presses the program's boxes until it ends (or kills it after timeoutMs).
RunResult finish(Started started, DWORD timeoutMs = 60000);

class Installation {
 public:
  // `label` becomes part of the directory's name, blanks included.
  explicit Installation(const std::string& label);
  ~Installation();
  Installation(const Installation&) = delete;
  Installation& operator=(const Installation&) = delete;

  // The installation's directory (no trailing backslash), or a path below it.
  const std::string& dir() const { return dir_; }
  std::string path(const std::string& relative) const { return dir_ + "\\" + relative; }

  void write(const std::string& relative, const std::string& bytes) const;
  bool exists(const std::string& relative) const;
  // The file's bytes; a missing file fails the test and gives "".
  std::string read(const std::string& relative) const;
  void makeDirectory(const std::string& relative) const;

  // Copies a program of the build (a Linux path) to a path below the directory.
  void copyBuilt(const std::string& builtPath, const std::string& relative) const;
  void copyLauncher(const std::string& name = "Lorvex.exe") const;
  void copyJava() const;  // the stand-in as java\bin\java.exe
  void remove(const std::string& relative) const;
  // The file's size in bytes, or -1 when it can't be read.
  long long size(const std::string& relative) const;

  // Starts the launcher of that name here, quoted, followed by one blank
  // and `arguments` (nothing when they are empty).
  Started startLauncher(const std::string& arguments, const Environment& extra = {},
                        const std::string& name = "Lorvex.exe") const;
  RunResult runLauncher(const std::string& arguments, const Environment& extra = {},
                        const std::string& name = "Lorvex.exe") const {
    return finish(startLauncher(arguments, extra, name));
  }

  // The diagnostic log written during the run (under the date it began or
  // ended with); fails the test and gives "" when there is none.
  std::string diagnosticLog(const RunResult& run) const;

 private:
  std::string dir_;
};

// Paths inside an installation.
extern const char kTraceLog[];
extern const char kLogDir[];
extern const char kPropertyFile[];

}  // namespace e2e
