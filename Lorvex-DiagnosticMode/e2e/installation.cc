#include "installation.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace e2e {

const char kTraceLog[] = "Zantiq-Portable\\zantiq\\Zantiq-Portable-DiagnosticMode.log";
const char kLogDir[] = "Zantiq-Portable\\zantiq";
const char kPropertyFile[] = "portable.properties";

namespace {

// The build hands over Linux paths; Wine shows the Linux root as drive Z:.
std::string windowsPath(std::string linuxPath) {
  for (char& c : linuxPath)
    if (c == '/') c = '\\';
  return "Z:" + linuxPath;
}

void removeTreeOnce(const std::string& dir) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = dir + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTreeOnce(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(dir.c_str());
}

// The console of a program that has just ended may still hold an inherited
// log handle or the directory as its current one for a moment: try again
// for a while.
void removeTree(const std::string& dir) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    removeTreeOnce(dir);
    if (GetFileAttributesA(dir.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    Sleep(50);
  }
}

// This process's environment with `extra` added, as a block for
// CreateProcessA. Variables of the same name are replaced.
std::string environmentBlock(const Environment& extra) {
  std::string block;
  char* strings = GetEnvironmentStringsA();
  for (const char* entry = strings; *entry != '\0'; entry += lstrlenA(entry) + 1) {
    std::string text = entry;
    bool replaced = false;
    for (const auto& [name, value] : extra)
      replaced = replaced || text.compare(0, name.size() + 1, name + "=") == 0;
    if (!replaced) block += text + '\0';
  }
  FreeEnvironmentStringsA(strings);
  for (const auto& [name, value] : extra) block += name + "=" + value + '\0';
  return block + '\0';
}

}  // namespace

std::string todaySuffix() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  char text[32];
  std::snprintf(text, sizeof text, "%u-%u-%u", now.wYear, now.wMonth, now.wDay);
  return text;
}

Started start(const std::string& commandLine, const std::string& directory,
              const Environment& extra, DWORD creationFlags) {
  Started started;
  started.dateBefore = todaySuffix();
  std::string environment = environmentBlock(extra);
  std::vector<char> command(commandLine.begin(), commandLine.end());
  command.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  started.startTick = GetTickCount64();
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, creationFlags,
                      environment.data(), directory.c_str(), &startup, &info)) {
    ADD_FAILURE() << "cannot start " << commandLine << ": error " << GetLastError();
    return started;
  }
  CloseHandle(info.hThread);
  started.process = info.hProcess;
  return started;
}

RunResult finish(Started started, DWORD timeoutMs) {
  RunResult run;
  run.dateBefore = started.dateBefore;
  if (started.process == nullptr) return run;
  message_boxes::Outcome outcome = message_boxes::pressUntilExit(started.process, timeoutMs);
  run.elapsedMs = GetTickCount64() - started.startTick;
  run.dateAfter = todaySuffix();
  run.boxes = outcome.boxes;
  run.ended = outcome.ended;
  if (!run.ended) {
    ADD_FAILURE() << "the program did not end within " << timeoutMs << " ms";
    TerminateProcess(started.process, 99);
    WaitForSingleObject(started.process, 5000);
  }
  GetExitCodeProcess(started.process, &run.exitCode);
  CloseHandle(started.process);
  return run;
}

Installation::Installation(const std::string& label) {
  char temp[MAX_PATH + 1];
  DWORD length = GetTempPathA(sizeof temp, temp);
  std::string base(temp, length);
  if (!base.empty() && base.back() == '\\') base.pop_back();
  static int count = 0;
  dir_ = base + "\\lorvex-e2e-" + label + "-" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(++count);
  removeTree(dir_);
  EXPECT_TRUE(CreateDirectoryA(dir_.c_str(), nullptr)) << dir_;
}

Installation::~Installation() { removeTree(dir_); }

void Installation::write(const std::string& relative, const std::string& bytes) const {
  HANDLE file = CreateFileA(path(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path(relative);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  EXPECT_EQ(written, bytes.size());
}

bool Installation::exists(const std::string& relative) const {
  return GetFileAttributesA(path(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Installation::read(const std::string& relative) const {
  HANDLE file = CreateFileA(path(relative).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot read " << path(relative);
    return "";
  }
  std::string bytes;
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

void Installation::makeDirectory(const std::string& relative) const {
  std::string full = path(relative);
  // Each level in turn, like mkdir -p.
  for (size_t at = dir_.size() + 1; at != std::string::npos; at = full.find('\\', at + 1))
    CreateDirectoryA(full.substr(0, at).c_str(), nullptr);
  CreateDirectoryA(full.c_str(), nullptr);
  EXPECT_TRUE(GetFileAttributesA(full.c_str()) & FILE_ATTRIBUTE_DIRECTORY) << full;
}

void Installation::copyBuilt(const std::string& builtPath, const std::string& relative) const {
  EXPECT_TRUE(CopyFileA(windowsPath(builtPath).c_str(), path(relative).c_str(), FALSE))
      << path(relative) << ": error " << GetLastError();
}

void Installation::copyLauncher(const std::string& name) const { copyBuilt(LORVEX_EXE, name); }

void Installation::copyJava() const {
  makeDirectory("java\\bin");
  copyBuilt(JAVA_STANDIN_EXE, "java\\bin\\java.exe");
}

void Installation::remove(const std::string& relative) const {
  // A program's console may hold an inherited handle of the file for a
  // moment after the program has ended: try again for a while.
  std::string file = path(relative);
  for (int attempt = 0; attempt < 200; ++attempt) {
    if (DeleteFileA(file.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) return;
    Sleep(50);
  }
  ADD_FAILURE() << "cannot remove " << file << ": error " << GetLastError();
}

long long Installation::size(const std::string& relative) const {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path(relative).c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

Started Installation::startLauncher(const std::string& arguments, const Environment& extra,
                                    const std::string& name) const {
  std::string commandLine = "\"" + path(name) + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  return start(commandLine, dir_, extra);
}

std::string Installation::diagnosticLog(const RunResult& run) const {
  std::string relative = std::string(kLogDir) + "\\diagnostic.log.";
  if (!exists(relative + run.dateBefore) && run.dateAfter != run.dateBefore)
    return read(relative + run.dateAfter);
  return read(relative + run.dateBefore);
}

}  // namespace e2e
