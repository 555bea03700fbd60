#pragma once
// Stands in for the shell call in the test programs: keeps a copy of every
// request (strings copied at the call, while they are valid) and answers as told.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

struct RecordedRequest {
  SHELLEXECUTEINFOA raw;
  std::string verb, file, parameters, directory;
};

struct ShellRecorder {
  ShellRecorder();
  ~ShellRecorder();
  std::vector<RecordedRequest> requests;
  BOOL answer = TRUE;
};
