// The launcher's run on Windows. runLauncher shows the whole sequence; the
// steps follow it in the order the run takes them, then the helpers they
// share. Each step is a few system calls around the pure rules. A failure
// shows a message box and the run goes on, except for a property file that
// can't be opened.
#include "launcher.h"

#include <windows.h>

#include <direct.h>

#include <cstdio>
#include <vector>

#include "arguments.h"
#include "paths.h"
#include "property_words.h"
#include "texts.h"

namespace lorvex {

namespace {

struct PropertyFile {
  bool loaded = false;
  std::string argumentText;
};

void ensureWorkDirectories();
void openTraceLog();
void traceLine(const std::string& text);
PropertyFile loadPropertyFile(const ArgumentScan& arguments);
bool runDiagnostic(const std::string& commandLine);
void closeTraceLog();

std::string readWorkingDirectory();
std::string workDirectory();
void showMessage(const std::string& text, const char* title, UINT icon);
void writeBytes(HANDLE file, const char* bytes, std::size_t count);
bool isUsable(HANDLE handle);

// The trace log's handle: null until openTraceLog, then whatever CreateFileA
// gave. Every step writes through traceLine, which makes it the launcher's one
// process-wide variable.
HANDLE traceLog = nullptr;

}  // namespace

int runLauncher(const std::string& argumentText) {
  // Silent: the trace log can only be created once its directory exists.
  ensureWorkDirectories();
  openTraceLog();
  traceLine(kTraceStarting);
  traceLine(kTraceCheckForParams);
  const ArgumentScan arguments = scanArguments(argumentText);
  for (const std::string& line : arguments.traceLines) traceLine(line);
  traceLine(kTraceTryToLoadProperties);
  const PropertyFile properties = loadPropertyFile(arguments);
  // The trace log is left for the end of the process to close.
  if (!properties.loaded) return -1;
  const std::string commandLine =
      javaCommandLine(readWorkingDirectory(), properties.argumentText);
  if (!runDiagnostic(commandLine)) {
    showMessage(kMessageCannotStart, kTitleError, MB_ICONERROR);
  }
  closeTraceLog();
  return 0;
}

namespace {

bool isDirectory(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }
  traceLine(kTracePathIsWrong);
  traceLine(path);
  return false;
}

void ensureDirectory(const std::string& path) {
  if (isDirectory(path)) {
    traceLine(kTraceDirExists);
    traceLine(path);
    return;
  }
  if (!CreateDirectoryA(path.c_str(), nullptr)) {
    showMessage(directoryNotCreatedMessage(path), kTitleError, MB_ICONERROR);
  }
}

// The inner directory is tried whatever became of the outer one.
void ensureWorkDirectories() {
  const std::string outer = joinPath(readWorkingDirectory(), kPortableDirectory);
  ensureDirectory(outer);
  ensureDirectory(joinPath(outer, kInnerDirectory));
}

// Created anew by every run. Write sharing only: another program may write
// the file while the launcher runs, but not read it.
void openTraceLog() {
  const std::string path = joinPath(workDirectory(), kTraceLogName);
  traceLog = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Unbuffered, text and line end as two writes: every line traced before an
// abnormal end is in the file.
void traceLine(const std::string& text) {
  if (!isUsable(traceLog)) return;
  writeBytes(traceLog, text.data(), text.size());
  writeBytes(traceLog, kLineEnd, sizeof kLineEnd - 1);
}

// The whole file as stored; a read error ends it like the end of the file.
// The runtime's default sharing lets other programs read and write it
// meanwhile.
bool readFileBytes(const std::string& path, std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  char chunk[4096];
  std::size_t count;
  while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    bytes.append(chunk, count);
  }
  std::fclose(file);
  return true;
}

// The name is joined to the working directory even when it is a full path,
// and when it is empty, which gives a path ending in a backslash: no file.
PropertyFile loadPropertyFile(const ArgumentScan& arguments) {
  const std::string name = arguments.alternateFileRequested
                               ? arguments.alternateFileName
                               : std::string(kDefaultPropertyFile);
  traceLine(kTraceLoadPropertyFile);
  traceLine(name);
  PropertyFile properties;
  std::string bytes;
  properties.loaded = readFileBytes(joinPath(readWorkingDirectory(), name), bytes);
  if (!properties.loaded) {
    const std::string message = missingFileMessage(name);
    traceLine(message);
    showMessage(message, kTitleError, MB_ICONERROR);
    return properties;
  }
  properties.argumentText = propertyWords(textModeContent(bytes));
  return properties;
}

// Without the date, so that the trace shows the name every day's log shares.
std::string diagnosticLogPath() {
  return joinPath(workDirectory(), kDiagnosticLogPrefix);
}

// One log per UTC day.
void appendLogDate(std::string& path) {
  SYSTEMTIME now;
  GetSystemTime(&now);
  path += logDateSuffix(now.wYear, now.wMonth, now.wDay);
}

// Append-only access (no GENERIC_WRITE or FILE_WRITE_DATA, either of which
// would cancel it) makes the system put every write, the launcher's and the
// inheriting Java runtime's, at the file's current end. So no positioning is
// needed, and two launchers on the same day never overwrite each other.
HANDLE openDiagnosticLog(const std::string& path) {
  SECURITY_ATTRIBUTES inheritable = {};
  inheritable.nLength = sizeof inheritable;
  inheritable.bInheritHandle = TRUE;
  return CreateFileA(path.c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                     FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable,
                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void writeLogHeader(HANDLE log, const std::string& commandLine) {
  writeBytes(log, kLogHeader, sizeof kLogHeader - 1);
  writeBytes(log, commandLine.data(), commandLine.size());
  writeBytes(log, kLineEnd, sizeof kLineEnd - 1);
}

// The Java runtime gets a console of its own, no standard input, and the
// diagnostic log as standard output and standard error. CreateProcessA may
// write into the command line, so it gets a copy; a command line longer than
// the system takes is refused like any other failure.
bool createJavaProcess(const std::string& commandLine, HANDLE log,
                       PROCESS_INFORMATION& process) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;
  startup.hStdOutput = log;
  startup.hStdError = log;
  std::vector<char> writable(commandLine.begin(), commandLine.end());
  writable.push_back('\0');
  return CreateProcessA(nullptr, writable.data(), nullptr, nullptr, TRUE,
                        CREATE_NEW_CONSOLE | CREATE_SEPARATE_WOW_VDM, nullptr,
                        nullptr, &startup, &process) != FALSE;
}

// Returns whether the Java runtime was started; it has ended by then.
// Nothing is prepared before the user has closed the information message.
bool runDiagnostic(const std::string& commandLine) {
  traceLine(kTraceExecuteCommand);
  showMessage(informationMessage(), kTitleInformation, MB_ICONINFORMATION);
  ensureWorkDirectories();
  std::string logPath = diagnosticLogPath();
  traceLine(kTraceLogPathCreated);
  traceLine(logPath);
  appendLogDate(logPath);
  traceLine(kTraceTryToCreateFile);
  const HANDLE log = openDiagnosticLog(logPath);
  traceLine(isUsable(log) ? kTraceFileCreated : kTraceCouldNotCreateFile);
  writeLogHeader(log, commandLine);
  traceLine(kTraceTryToCreateProcess);
  PROCESS_INFORMATION process = {};
  const bool started = createJavaProcess(commandLine, log, process);
  if (started) {
    traceLine(kTraceProcessCreated);
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  if (isUsable(log)) CloseHandle(log);
  return started;
}

void closeTraceLog() {
  if (isUsable(traceLog)) CloseHandle(traceLog);
  traceLog = nullptr;
}

// Read anew for every path, so that a failure shows its message each time.
// 260 bytes are what the ANSI file operations take for a path anyway.
std::string readWorkingDirectory() {
  char directory[MAX_PATH] = "";
  if (_getcwd(directory, MAX_PATH) == nullptr) {
    showMessage(kMessageNoWorkingDirectory, kTitleError, MB_ICONERROR);
    directory[0] = '\0';
  }
  directory[MAX_PATH - 1] = '\0';
  return directory;
}

// The inner directory, which holds both logs.
std::string workDirectory() {
  return joinPath(joinPath(readWorkingDirectory(), kPortableDirectory),
                  kInnerDirectory);
}

void showMessage(const std::string& text, const char* title, UINT icon) {
  MessageBoxA(nullptr, text.c_str(), title, MB_OK | icon);
}

// The result is not looked at: a failed write loses its bytes and the run
// goes on.
void writeBytes(HANDLE file, const char* bytes, std::size_t count) {
  DWORD written = 0;
  WriteFile(file, bytes, static_cast<DWORD>(count), &written, nullptr);
}

bool isUsable(HANDLE handle) {
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

bool isAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

std::string processArgumentText() {
  return argumentTextFromCommandLine(GetCommandLineA(), isAnsiLeadByte);
}

}  // namespace lorvex
