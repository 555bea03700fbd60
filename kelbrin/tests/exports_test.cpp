#include <gtest/gtest.h>

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
