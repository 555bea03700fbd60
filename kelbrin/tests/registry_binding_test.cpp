// bindRegistryKey and isPredefinedKey on their own, through the fake JVM.
#include "registry_binding.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "fake_jni.h"
#include "java_handles.h"

using fake_jni::FakeJvm;
using fake_jni::Failing;

namespace {

HKEY handle(uint64_t bits) { return reinterpret_cast<HKEY>(static_cast<uintptr_t>(bits)); }

TEST(IsPredefinedKey, AcceptsTheSevenRootsByTheirLow32Bits) {
  const struct {
    uint64_t key;
    bool predefined;
  } cases[] = {
    {0x80000000, true},  {0x80000001, true},  {0x80000006, true}, {0x7FFFFFFF, false},
    {0x80000007, false}, {0xFFFFFFFF, false}, {0, false},
#ifdef _WIN64
    {0xFFFFFFFF80000002ull, true}, {0x0000000080000002ull, true}, {0xFFFFFFFF80000007ull, false},
#endif
  };
  for (const auto& c : cases) EXPECT_EQ(isPredefinedKey(handle(c.key)), c.predefined) << std::hex << c.key;
}

TEST(JavaHandles, WidenWithTheSignAndCutToTheLow32Bits) {
  EXPECT_EQ(rootFromJava(static_cast<jint>(0x80000002u)), HKEY_LOCAL_MACHINE);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(windowFromJava(-2147479500)),
            static_cast<uintptr_t>(static_cast<intptr_t>(-2147479500)));
  EXPECT_EQ(windowToJava(reinterpret_cast<HWND>(uintptr_t{0xA0B2C})), 658220);
#ifdef _WIN64
  EXPECT_EQ(reinterpret_cast<uintptr_t>(rootFromJava(static_cast<jint>(0x80000002u))), 0xFFFFFFFF80000002ull);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(windowFromJava(-2147479500)), 0xFFFFFFFF80001034ull);
  EXPECT_EQ(windowToJava(reinterpret_cast<HWND>(uintptr_t{0x12345678000A0B2Cull})), 658220);
#endif
}

TEST(BindRegistryKey, CopiesPathsThatFitAndReadsTheRoot) {
  const struct {
    std::string path;
    Binding expected;
  } cases[] = {
      {"Software\\Test", Binding::bound},
      {"", Binding::bound},
      {std::string(16000, 'p'), Binding::bound},
      {std::string(16001, 'p'), Binding::pathTooLong},
  };
  for (const auto& c : cases) {
    FakeJvm jvm;
    HKEY root = nullptr;
    char path[workBufferSize + 1];
    std::memset(path, '?', sizeof path);
    EXPECT_EQ(bindRegistryKey(jvm.env(), jvm.registryKey(c.path.c_str(), static_cast<jint>(0x80000002u)), &root,
                              path),
              c.expected)
        << c.path.size();
    bool bound = c.expected == Binding::bound;
    EXPECT_EQ(root, bound ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER) << c.path.size();
    EXPECT_EQ(std::string(path), bound ? c.path : "") << c.path.size();
    EXPECT_EQ(path[workBufferSize], '?');  // nothing written past the buffer
    EXPECT_EQ(jvm.unreleasedStrings(), 0);
  }
}

TEST(BindRegistryKey, FailsWithoutBothFields) {
  FakeJvm jvm;
  jobject noRoot = jvm.newObject(jvm.defineClass("test/NoRoot", {{"path", "Ljava/lang/String;"}}));
  jvm.setField(noRoot, "path", jvm.string("Software"));
  const struct {
    const char* what;
    jobject key;
    int failingStrings;  // GetStringUTFChars calls asked to fail
    const char* exception;
  } cases[] = {
      {"null path", jvm.registryKey(nullptr, 1), 0, ""},
      {"no bytes", jvm.registryKey("Software", 1), 1, "java/lang/OutOfMemoryError"},
      {"no path field", jvm.newObject(jvm.defineClass("test/NoPath", {{"hKey", "I"}})), 0,
       "java/lang/NoSuchFieldError"},
      {"no hKey field", noRoot, 0, "java/lang/NoSuchFieldError"},
  };
  for (const auto& c : cases) {
    if (c.failingStrings) jvm.failCall(Failing::GetStringUTFChars);
    HKEY root = nullptr;
    char path[workBufferSize] = "stale";
    EXPECT_EQ(bindRegistryKey(jvm.env(), c.key, &root, path), Binding::failed) << c.what;
    EXPECT_EQ(root, HKEY_CURRENT_USER) << c.what;
    EXPECT_STREQ(path, "") << c.what;
    EXPECT_EQ(jvm.pendingException(), c.exception) << c.what;
    EXPECT_EQ(jvm.unreleasedStrings(), 0) << c.what;
    jvm.clearException();
  }
}

}  // namespace
