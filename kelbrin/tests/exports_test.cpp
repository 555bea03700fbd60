#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "fake_jni.h"
#include "import_hook.h"
#include "kelbrin_host.h"

TEST(Exports, EveryNativeResolvesByItsExactName) {
  // LoadLibraryA fails unless DllMain answers TRUE.
  HMODULE module = kelbrinModule();
  ASSERT_NE(module, nullptr) << KELBRIN_DLL " not loaded, error " << GetLastError();
  const Natives& n = kelbrin();
  const void* natives[] = {
      reinterpret_cast<const void*>(n.getSubkeysNames), reinterpret_cast<const void*>(n.getValue),
      reinterpret_cast<const void*>(n.getValuesNames),  reinterpret_cast<const void*>(n.create),
      reinterpret_cast<const void*>(n.remove),          reinterpret_cast<const void*>(n.deleteValue),
      reinterpret_cast<const void*>(n.setValue),        reinterpret_cast<const void*>(n.setDisableMaximize),
      reinterpret_cast<const void*>(n.getHwnd),         reinterpret_cast<const void*>(n.setTopmost),
      reinterpret_cast<const void*>(n.setNotTopmost)};
  for (size_t i = 0; i < sizeof natives / sizeof natives[0]; ++i) EXPECT_NE(natives[i], nullptr) << "native " << i;
  EXPECT_EQ(GetProcAddress(module, "JNI_OnLoad"), nullptr);
#ifndef _WIN64
  // Only the form the x86 JVM looks up: neither the plain nor the linker's
  // own stdcall name.
  EXPECT_EQ(GetProcAddress(module, "Java_com_mervalon_util_win32_RegistryKey_getValue"), nullptr);
  EXPECT_EQ(GetProcAddress(module, "Java_com_mervalon_util_win32_RegistryKey_getValue@12"), nullptr);
#endif
}

namespace {

int heapCalls;
void* __cdecl mallocHook(size_t size) {
  ++heapCalls;
  return malloc(size);
}
void* __cdecl callocHook(size_t count, size_t size) {
  ++heapCalls;
  return calloc(count, size);
}
void* __cdecl reallocHook(void* block, size_t size) {
  ++heapCalls;
  return realloc(block, size);
}
void __cdecl freeHook(void* block) {
  ++heapCalls;
  free(block);
}

}  // namespace

// Every native works in its stack buffer: the library's own heap functions
// (its C runtime's, which only its start-up code needs) are never called.
TEST(Exports, NativesAllocateNoHeapMemoryOfTheirOwn) {
  ASSERT_NE(kelbrinModule(), nullptr);
  const struct {
    const char* name;
    void* hook;
  } heapFunctions[] = {{"malloc", reinterpret_cast<void*>(mallocHook)},
                       {"calloc", reinterpret_cast<void*>(callocHook)},
                       {"realloc", reinterpret_cast<void*>(reallocHook)},
                       {"free", reinterpret_cast<void*>(freeHook)}};
  std::vector<std::unique_ptr<ImportHook>> hooks;
  int installed = 0;
  for (const auto& f : heapFunctions) {
    hooks.push_back(std::make_unique<ImportHook>(kelbrinModule(), "msvcrt.dll", f.name, f.hook));
    installed += hooks.back()->installed();
  }
  ASSERT_GT(installed, 0) << "the library imports no heap function to watch";

  fake_jni::FakeJvm jvm;
  JNIEnv* env = jvm.env();
  const Natives& n = kelbrin();
  std::string path = "Software\\KelbrinTests-" + std::to_string(GetCurrentProcessId()) + "-heap";
  jobject key = jvm.registryKey(path.c_str(), static_cast<jint>(0x80000001u));
  heapCalls = 0;
  EXPECT_FALSE(n.create(env, key));
  EXPECT_TRUE(n.setValue(env, key, jvm.string("v"), jvm.string("data")));
  EXPECT_NE(n.getValue(env, key, jvm.string("v")), nullptr);
  EXPECT_NE(n.getValuesNames(env, key), nullptr);
  EXPECT_NE(n.getSubkeysNames(env, key), nullptr);
  EXPECT_TRUE(n.deleteValue(env, key, jvm.string("v")));
  EXPECT_FALSE(n.remove(env, key));
  EXPECT_EQ(n.getHwnd(env, nullptr, jvm.string("no such window")), 0);
  EXPECT_EQ(n.setTopmost(env, nullptr, 0), 0);
  EXPECT_FALSE(n.setDisableMaximize(env, nullptr, jvm.frame("windowless")));
  EXPECT_EQ(heapCalls, 0);
}
