// The least launcher that captures a program's output as the launcher does,
// for the benchmark's comparison: an inheritable append handle of the log,
// the same header the launcher writes, the handle as the program's standard
// output and standard error, a console of the program's own, and a wait for
// its end. Usage: least_launcher LOG COMMAND-LINE
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
  HANDLE log =
      CreateFileA(argv[1], FILE_APPEND_DATA | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  &inheritable, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return 3;
  // The same bytes as the launcher's log: the header shifts every later
  // write off the page boundaries, which costs time of its own.
  std::string command = argv[2];
  std::string header = "\r\n----------\r\n" + command + "\r\n";
  DWORD written = 0;
  WriteFile(log, header.data(), static_cast<DWORD>(header.size()), &written, nullptr);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = log;
  startup.hStdError = log;
  PROCESS_INFORMATION process = {};
  BOOL started = CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE,
                                nullptr, nullptr, &startup, &process);
  if (started) {
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(log);
  return started ? 0 : 4;
}
