// Stands in for the installation's Java runtime in the launcher's end-to-end
// tests. It reports how it was started on its standard output (its command
// line and its argv, one line each, in brackets) and writes one line to its
// standard error. The launcher hands its environment on, so a test steers
// the stand-in through these variables:
//   LORVEX_STANDIN_SLEEP_MS  wait this long before reporting
//   LORVEX_STANDIN_STARTED   name of a semaphore to release once at the start
//   LORVEX_STANDIN_GO        name of an event to wait for before writing
//   LORVEX_STANDIN_MUTEX     name of a mutex held while writing
//   LORVEX_STANDIN_TAG       text that starts each burst line
//   LORVEX_STANDIN_BURST     number of burst lines written after the report
//   LORVEX_STANDIN_EXIT      the exit code
// Every line ends in CR LF and is written straight to the handle, unbuffered,
// so the bytes in the log are exactly these.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "standin_environment.h"

namespace {

void writeLine(HANDLE handle, const std::string& text) {
  std::string line = text + "\r\n";
  DWORD written = 0;
  WriteFile(handle, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void signalStarted() {
  std::string name = variable("LORVEX_STANDIN_STARTED");
  if (name.empty()) return;
  HANDLE semaphore = OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, name.c_str());
  if (semaphore == nullptr) return;
  ReleaseSemaphore(semaphore, 1, nullptr);
  CloseHandle(semaphore);
}

void waitForGo() {
  std::string name = variable("LORVEX_STANDIN_GO");
  if (name.empty()) return;
  HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, name.c_str());
  if (event == nullptr) return;
  WaitForSingleObject(event, 60000);
  CloseHandle(event);
}

void report(int argc, char** argv) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  writeLine(out, std::string("cmdline=[") + GetCommandLineA() + "]");
  for (int i = 0; i < argc; ++i)
    writeLine(out, "argv[" + std::to_string(i) + "]=[" + argv[i] + "]");
  writeLine(GetStdHandle(STD_ERROR_HANDLE), "stderr=[stand-in]");
  std::string tag = variable("LORVEX_STANDIN_TAG");
  long burst = number("LORVEX_STANDIN_BURST");
  for (long i = 1; i <= burst; ++i)
    writeLine(out, tag + " line " + std::to_string(i) + " of " + std::to_string(burst));
}

}  // namespace

int main(int argc, char** argv) {
  signalStarted();
  waitForGo();
  Sleep(static_cast<DWORD>(number("LORVEX_STANDIN_SLEEP_MS")));
  HANDLE mutex = nullptr;
  std::string mutexName = variable("LORVEX_STANDIN_MUTEX");
  if (!mutexName.empty()) {
    mutex = CreateMutexA(nullptr, FALSE, mutexName.c_str());
    if (mutex != nullptr) WaitForSingleObject(mutex, 60000);
  }
  report(argc, argv);
  if (mutex != nullptr) {
    ReleaseMutex(mutex);
    CloseHandle(mutex);
  }
  return static_cast<int>(number("LORVEX_STANDIN_EXIT"));
}
