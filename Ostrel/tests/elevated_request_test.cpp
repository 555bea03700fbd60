// What runElevated hands to the shell, seen through a recorder linked in place
// of the shell call: nothing is started.
#include <com_mervalon_module_updater_data_core_Ostrel.h>

#include "elevated_start.h"
#include "fake_jni.h"
#include "shell_recorder.h"

#include <gtest/gtest.h>

#include <cstddef>

TEST(RunElevated, FillsTheWholeRequest) {
  ShellRecorder recorder;
  HWND owner = windowFromJava(0x1234);
  EXPECT_TRUE(runElevated(owner, "C:\\u\\setup.exe", "/quiet", "C:\\u"));
  ASSERT_EQ(recorder.requests.size(), 1u);
  const RecordedRequest& r = recorder.requests[0];
  EXPECT_EQ(r.raw.cbSize, 112u);
  EXPECT_EQ(r.raw.fMask, 0u);
  EXPECT_EQ(r.raw.hwnd, owner);
  EXPECT_EQ(r.verb, "runas");
  EXPECT_EQ(r.file, "C:\\u\\setup.exe");
  EXPECT_EQ(r.parameters, "/quiet");
  EXPECT_EQ(r.directory, "C:\\u");
  EXPECT_EQ(r.raw.nShow, SW_SHOWNORMAL);
  EXPECT_EQ(r.raw.hInstApp, nullptr);
  EXPECT_EQ(r.raw.lpIDList, nullptr);
  EXPECT_EQ(r.raw.lpClass, nullptr);
  EXPECT_EQ(r.raw.hkeyClass, nullptr);
  EXPECT_EQ(r.raw.dwHotKey, 0u);
  EXPECT_EQ(r.raw.hIcon, nullptr);
  EXPECT_EQ(r.raw.hProcess, nullptr);
}

TEST(RunElevated, PassesNullAndEmptyStringsApart) {
  ShellRecorder recorder;
  runElevated(nullptr, "a.exe", nullptr, nullptr);
  runElevated(nullptr, "a.exe", "", "");
  ASSERT_EQ(recorder.requests.size(), 2u);
  EXPECT_EQ(recorder.requests[0].raw.hwnd, nullptr);
  EXPECT_EQ(recorder.requests[0].raw.lpParameters, nullptr);
  EXPECT_EQ(recorder.requests[0].raw.lpDirectory, nullptr);
  ASSERT_NE(recorder.requests[1].raw.lpParameters, nullptr);
  ASSERT_NE(recorder.requests[1].raw.lpDirectory, nullptr);
  EXPECT_EQ(recorder.requests[1].parameters, "");
  EXPECT_EQ(recorder.requests[1].directory, "");
}

TEST(RunElevated, ReturnsTheShellsAnswer) {
  ShellRecorder recorder;
  recorder.answer = FALSE;
  EXPECT_FALSE(runElevated(nullptr, "missing.exe", nullptr, nullptr));
}

TEST(WindowFromJava, SignExtendsTheJint) {
  struct Case {
    int32_t fromJava;
    uint64_t handle;
  } cases[] = {
      {0, 0},
      {0x0A0B2C, 0x0A0B2C},
      {0x7FFFFFFF, 0x7FFFFFFF},
      {-2147479500, 0xFFFFFFFF80001034ull},
      {-1, 0xFFFFFFFFFFFFFFFFull},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(reinterpret_cast<uint64_t>(windowFromJava(c.fromJava)), c.handle) << c.fromJava;
  }
}

// The native itself, with the JVM faked and the shell recorded.
namespace {

jboolean callStartAsAdmin(fake_jni::FakeJvm& jvm, jint hwnd, const char* file, const char* parameters,
                          const char* directory) {
  return Java_com_mervalon_module_updater_data_core_Ostrel_startAsAdmin(
      jvm.env(), nullptr, hwnd, jvm.string(file), jvm.string(parameters), jvm.string(directory));
}

}  // namespace

TEST(StartAsAdmin, HandsTheStringsAndTheWidenedWindowToTheShell) {
  ShellRecorder recorder;
  fake_jni::FakeJvm jvm;
  EXPECT_TRUE(callStartAsAdmin(jvm, -2147479500, "setup.exe", "/s", "C:\\u"));
  ASSERT_EQ(recorder.requests.size(), 1u);
  EXPECT_EQ(reinterpret_cast<uint64_t>(recorder.requests[0].raw.hwnd), 0xFFFFFFFF80001034ull);
  EXPECT_EQ(recorder.requests[0].file, "setup.exe");
  EXPECT_EQ(recorder.requests[0].parameters, "/s");
  EXPECT_EQ(recorder.requests[0].directory, "C:\\u");
  EXPECT_EQ(jvm.calls("GetStringUTFChars"), 3);
  EXPECT_EQ(jvm.unreleasedStrings(), 0);
}

TEST(StartAsAdmin, NullParametersAndDirectoryAreNotAsked) {
  ShellRecorder recorder;
  fake_jni::FakeJvm jvm;
  EXPECT_TRUE(callStartAsAdmin(jvm, 0, "setup.exe", nullptr, nullptr));
  ASSERT_EQ(recorder.requests.size(), 1u);
  EXPECT_EQ(recorder.requests[0].raw.lpParameters, nullptr);
  EXPECT_EQ(recorder.requests[0].raw.lpDirectory, nullptr);
  EXPECT_EQ(recorder.requests[0].raw.hwnd, nullptr);
  EXPECT_EQ(jvm.calls("GetStringUTFChars"), 1);
  EXPECT_EQ(jvm.calls("ReleaseStringUTFChars"), 1);
}

TEST(StartAsAdmin, ReportsWhatTheShellAnswered) {
  ShellRecorder recorder;
  recorder.answer = FALSE;
  fake_jni::FakeJvm jvm;
  EXPECT_FALSE(callStartAsAdmin(jvm, 0, "setup.exe", "", ""));
  EXPECT_EQ(jvm.unreleasedStrings(), 0);
}

TEST(StartAsAdmin, WithoutAFileOrItsBytesTheShellIsNotCalled) {
  ShellRecorder recorder;
  {
    fake_jni::FakeJvm jvm;
    EXPECT_FALSE(callStartAsAdmin(jvm, 0, nullptr, "/s", "C:\\u"));
    EXPECT_EQ(jvm.calls("GetStringUTFChars"), 0);
  }
  // The JVM gives no bytes for the file, the parameters or the directory.
  for (int failing = 1; failing <= 3; ++failing) {
    fake_jni::FakeJvm jvm;
    jvm.failCall(fake_jni::Failing::GetStringUTFChars, failing);
    EXPECT_FALSE(callStartAsAdmin(jvm, 0, "setup.exe", "/s", "C:\\u")) << failing;
    EXPECT_EQ(jvm.calls("GetStringUTFChars"), failing);
    EXPECT_EQ(jvm.unreleasedStrings(), 0) << failing;
    jvm.clearException();
  }
  EXPECT_TRUE(recorder.requests.empty());
}
