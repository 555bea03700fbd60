#include "kelbrin_host.h"

std::string exportName(const char* jniName, int argumentBytes) {
#ifdef _WIN64
  (void)argumentBytes;
  return jniName;
#else
  return "_" + std::string(jniName) + "@" + std::to_string(argumentBytes);
#endif
}

HMODULE kelbrinModule() {
  static HMODULE module = LoadLibraryA(KELBRIN_DLL);
  return module;
}

namespace {

template <typename F>
void resolve(F& native, const char* jniName, int argumentBytes) {
  native = reinterpret_cast<F>(
      reinterpret_cast<void*>(GetProcAddress(kelbrinModule(), exportName(jniName, argumentBytes).c_str())));
}

Natives resolveAll() {
  Natives n{};
  if (kelbrinModule() == nullptr) return n;
  resolve(n.getSubkeysNames, "Java_com_mervalon_util_win32_RegistryKey_getSubkeysNames", 8);
  resolve(n.getValue, "Java_com_mervalon_util_win32_RegistryKey_getValue", 12);
  resolve(n.getValuesNames, "Java_com_mervalon_util_win32_RegistryKey_getValuesNames", 8);
  resolve(n.create, "Java_com_mervalon_util_win32_RegistryKey_create", 8);
  resolve(n.remove, "Java_com_mervalon_util_win32_RegistryKey_delete", 8);
  resolve(n.deleteValue, "Java_com_mervalon_util_win32_RegistryKey_deleteValue", 12);
  resolve(n.setValue, "Java_com_mervalon_util_win32_RegistryKey_setValue", 16);
  resolve(n.setDisableMaximize, "Java_com_mervalon_util_win32_WindowsHandling_setDisableMaximize", 12);
  resolve(n.getHwnd, "Java_com_mervalon_brokerage_quessel_gui_winterface_WInterface_getHwnd", 12);
  resolve(n.setTopmost, "Java_com_mervalon_brokerage_quessel_gui_winterface_WInterface_setTopmost", 12);
  resolve(n.setNotTopmost, "Java_com_mervalon_brokerage_quessel_gui_winterface_WInterface_setNotTopmost", 12);
  return n;
}

}  // namespace

const Natives& kelbrin() {
  static Natives natives = resolveAll();
  return natives;
}
