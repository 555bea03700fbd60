// Hostile inputs through the built library: registry paths and values at and
// beyond the work buffer, and window titles at and far beyond 127 bytes. Each
// gives the documented result or failure value, whole, with every key closed
// and every string released.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fake_jni.h"
#include "kelbrin_host.h"

using fake_jni::FakeJvm;

namespace {

const jint hkcu = static_cast<jint>(0x80000001u);

jint toJava(HWND window) { return static_cast<jint>(reinterpret_cast<uintptr_t>(window)); }

class HostileInputs : public testing::Test {
 protected:
  static void SetUpTestSuite() { SetErrorMode(SEM_NOGPFAULTERRORBOX); }
  void SetUp() override { ASSERT_NE(kelbrinModule(), nullptr); }
  void TearDown() override {
    EXPECT_EQ(jvm.unreleasedStrings(), 0);
    RegDeleteTreeA(HKEY_CURRENT_USER, scratch.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, scratch.c_str());
  }

  FakeJvm jvm;
  JNIEnv* env = jvm.env();
  const Natives& n = kelbrin();
  const std::string scratch = "Software\\KelbrinHostile-" + std::to_string(GetCurrentProcessId());
};

// No key of either length exists: 16,000 bytes reach the registry and fail
// there, 20,000 bytes are refused before it. create and delete answer true
// for a failure.
TEST_F(HostileInputs, RegistryPathsOfSixteenAndTwentyThousandBytes) {
  for (std::size_t length : {16000u, 20000u}) {
    SCOPED_TRACE(length);
    const std::string path = scratch + "\\" + std::string(length - scratch.size() - 1, 'p');
    auto key = [&] { return jvm.registryKey(path.c_str(), hkcu); };
    EXPECT_EQ(n.getSubkeysNames(env, key()), nullptr);
    EXPECT_EQ(n.getValuesNames(env, key()), nullptr);
    EXPECT_EQ(n.getValue(env, key(), jvm.string("v")), nullptr);
    EXPECT_FALSE(n.setValue(env, key(), jvm.string("v"), jvm.string("d")));
    EXPECT_FALSE(n.deleteValue(env, key(), jvm.string("v")));
    EXPECT_TRUE(n.create(env, key()));
    EXPECT_TRUE(n.remove(env, key()));
  }
}

// Values written through the natives and read back: 16,000 bytes come back
// whole, 16,002 bytes are a failure. (Wine stores a terminator after string
// data whatever the count says, so 16,001 written bytes read back as 16,002
// there; the tests of getValue cover 16,001 with binary data.)
TEST_F(HostileInputs, LongValuesWrittenAndReadBack) {
  jobject key = jvm.registryKey(scratch.c_str(), hkcu);
  ASSERT_FALSE(n.create(env, key));
  for (std::size_t length : {16000u, 16002u}) {
    SCOPED_TRACE(length);
    const std::string data(length, 'd');
    ASSERT_TRUE(n.setValue(env, key, jvm.string("long"), jvm.string(data.c_str())));
    const jstring read = n.getValue(env, key, jvm.string("long"));
    if (length == 16000) {
      EXPECT_EQ(jvm.text(read), data);
    } else {
      EXPECT_EQ(read, nullptr);
    }
  }
}

// Windows are found by their whole title whatever its length, and a frame's
// long title comes back whole after the temporary one.
TEST_F(HostileInputs, TitlesOf127And128And5000Bytes) {
  for (std::size_t length : {127u, 128u, 5000u}) {
    SCOPED_TRACE(length);
    std::string title = "KelbrinHostile-" + std::to_string(GetCurrentProcessId()) + "-";
    title += std::string(length - title.size(), 't');
    HWND window = CreateWindowExA(0, "STATIC", title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(n.getHwnd(env, nullptr, jvm.string(title.c_str())), toJava(window));

    jobject frame = jvm.frame(title.c_str(), [window](const char* t) { SetWindowTextA(window, t ? t : ""); });
    EXPECT_TRUE(n.setDisableMaximize(env, nullptr, frame));
    EXPECT_EQ(jvm.text(jvm.frameTitle(frame)), title);
    char shown[8192] = "";
    GetWindowTextA(window, shown, sizeof shown);
    EXPECT_EQ(std::string(shown), title);
    DestroyWindow(window);
  }
}

}  // namespace
