// startAsAdmin through the built library's export, under Wine: the shell's
// "runas" verb really starts a program, and a missing file gives false.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "fake_jni.h"
#include "message_boxes.h"

namespace {

using StartAsAdmin = jboolean(JNICALL*)(JNIEnv*, jclass, jint, jstring, jstring, jstring);

std::string windowsPath(const std::string& path) {
  std::string result = path.rfind("/", 0) == 0 ? "Z:" + path : path;
  for (char& c : result) {
    if (c == '/') c = '\\';
  }
  return result;
}

StartAsAdmin exportedStartAsAdmin() {
  HMODULE library = LoadLibraryA(windowsPath(OSTREL_DLL).c_str());
  if (library == nullptr) return nullptr;
  return reinterpret_cast<StartAsAdmin>(reinterpret_cast<void*>(
      GetProcAddress(library, "Java_com_mervalon_module_updater_data_core_Ostrel_startAsAdmin")));
}

std::string readFile(const std::string& path) {
  std::string content;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return content;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
  CloseHandle(file);
  return content;
}

std::string scratchDirectory() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string directory = std::string(temp) + "ostrel-start-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(directory.c_str(), nullptr);
  return directory;
}

}  // namespace

TEST(StartAsAdmin, StartsTheProgramWithItsParametersInItsDirectory) {
  StartAsAdmin startAsAdmin = exportedStartAsAdmin();
  ASSERT_NE(startAsAdmin, nullptr);
  std::string directory = scratchDirectory();
  fake_jni::FakeJvm jvm;

  jboolean started = startAsAdmin(jvm.env(), nullptr, 0, jvm.string(windowsPath(MARKER_EXE).c_str()),
                                  jvm.string("one \"two three\""), jvm.string(directory.c_str()));
  EXPECT_TRUE(started);
  EXPECT_EQ(jvm.unreleasedStrings(), 0);

  std::string marker = directory + "\\marker.txt";
  std::string content;
  for (int i = 0; i < 200 && content.empty(); ++i) {
    Sleep(50);
    content = readFile(marker);
  }
  EXPECT_NE(content.find("one \"two three\""), std::string::npos) << content;
  EXPECT_NE(content.find("cwd=" + directory), std::string::npos) << content;
  DeleteFileA(marker.c_str());
  RemoveDirectoryA(directory.c_str());
}

// The shell shows its own error box for a file it cannot find and returns only
// once it is closed, so the call runs in a child process whose boxes this test presses.
TEST(StartAsAdmin, MissingFileGivesFalse) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, sizeof self);
  std::string commandLine = std::string("\"") + self + "\" --gtest_filter=StartAsAdminChild.*";
  SetEnvironmentVariableA("OSTREL_START_CHILD", "1");
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &child));
  SetEnvironmentVariableA("OSTREL_START_CHILD", nullptr);

  message_boxes::Outcome outcome = message_boxes::pressUntilExit(child.hProcess, 60000);
  DWORD exitCode = 1;
  GetExitCodeProcess(child.hProcess, &exitCode);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  EXPECT_TRUE(outcome.ended);
  EXPECT_EQ(exitCode, 0u) << "the child's checks failed";
  EXPECT_FALSE(outcome.boxes.empty()) << "the shell showed no error box";
  for (const message_boxes::Box& box : outcome.boxes) std::printf("shell box: [%s] %s\n", box.title.c_str(), box.text.c_str());
}

TEST(StartAsAdminChild, MissingFile) {
  if (GetEnvironmentVariableA("OSTREL_START_CHILD", nullptr, 0) == 0) GTEST_SKIP();
  StartAsAdmin startAsAdmin = exportedStartAsAdmin();
  ASSERT_NE(startAsAdmin, nullptr);
  fake_jni::FakeJvm jvm;
  EXPECT_FALSE(startAsAdmin(jvm.env(), nullptr, 0, jvm.string("Z:\\no\\such\\program.exe"), nullptr,
                            nullptr));
  EXPECT_EQ(jvm.unreleasedStrings(), 0);
}
