#include "shell_recorder.h"

#include "elevated_start.h"

namespace {
ShellRecorder* current = nullptr;

std::string copyOf(const char* text) {
  return text != nullptr ? text : "";
}
}  // namespace

ShellRecorder::ShellRecorder() { current = this; }
ShellRecorder::~ShellRecorder() { current = nullptr; }

BOOL submitShellRequest(SHELLEXECUTEINFOA* request) {
  if (current == nullptr) return FALSE;
  current->requests.push_back({*request, copyOf(request->lpVerb), copyOf(request->lpFile),
                               copyOf(request->lpParameters), copyOf(request->lpDirectory)});
  return current->answer;
}
