// Runs the launcher for the demo: starts it in the current directory, prints
// "box shown" once its information message is on screen, waits until the file
// "demo-continue" appears (the demo takes its screenshot meanwhile), then
// presses OK on every box until the launcher ends, printing each box.
#include <windows.h>

#include <cstdio>
#include <string>

#include "message_boxes.h"

namespace {

struct BoxSearch {
  DWORD processId;
  bool found;
};

BOOL CALLBACK findBox(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<BoxSearch*>(parameter);
  char className[16] = "";
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  GetClassNameA(window, className, sizeof className);
  if (owner == search->processId && IsWindowVisible(window) &&
      std::string(className) == "#32770") {
    search->found = true;
    return FALSE;
  }
  return TRUE;
}

bool waitFor(bool (*condition)(DWORD), DWORD processId, int tenthsOfSeconds) {
  for (int i = 0; i < tenthsOfSeconds; ++i) {
    if (condition(processId)) return true;
    Sleep(100);
  }
  return false;
}

bool boxShown(DWORD processId) {
  BoxSearch search{processId, false};
  EnumWindows(findBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool continueFileExists(DWORD) {
  return GetFileAttributesA("demo-continue") != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int main(int argc, char** argv) {
  SetErrorMode(SEM_NOGPFAULTERRORBOX);
  if (argc != 2) {
    std::fprintf(stderr, "usage: demo_driver LAUNCHER\n");
    return 2;
  }
  std::string commandLine = std::string("\"") + argv[1] + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION launcher{};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &launcher)) {
    std::fprintf(stderr, "demo_driver: cannot start %s\n", argv[1]);
    return 2;
  }
  if (waitFor(boxShown, launcher.dwProcessId, 300)) {
    std::printf("box shown\n");
    std::fflush(stdout);
    waitFor(continueFileExists, 0, 600);
  }
  message_boxes::Outcome outcome = message_boxes::pressUntilExit(launcher.hProcess, 60000);
  for (const message_boxes::Box& box : outcome.boxes) {
    std::printf("message box \"%s\":\n%s\n", box.title.c_str(), box.text.c_str());
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(launcher.hProcess, &exitCode);
  std::printf("launcher exit code: %d\n", static_cast<int>(exitCode));
  CloseHandle(launcher.hThread);
  CloseHandle(launcher.hProcess);
  return outcome.ended ? 0 : 1;
}
