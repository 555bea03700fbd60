// Loads the built library as the JVM does and resolves every native by its
// exact export name: the JNI name on x64, "_Name@N" on x86.
#ifndef KELBRIN_TESTS_KELBRIN_HOST_H
#define KELBRIN_TESTS_KELBRIN_HOST_H

#include <windows.h>

#include <com_mervalon_brokerage_quessel_gui_winterface_WInterface.h>
#include <com_mervalon_util_win32_RegistryKey.h>
#include <com_mervalon_util_win32_WindowsHandling.h>

#include <string>

struct Natives {
  decltype(&Java_com_mervalon_util_win32_RegistryKey_getSubkeysNames) getSubkeysNames;
  decltype(&Java_com_mervalon_util_win32_RegistryKey_getValue) getValue;
  decltype(&Java_com_mervalon_util_win32_RegistryKey_getValuesNames) getValuesNames;
  decltype(&Java_com_mervalon_util_win32_RegistryKey_create) create;
  decltype(&Java_com_mervalon_util_win32_RegistryKey_delete) remove;  // delete
  decltype(&Java_com_mervalon_util_win32_RegistryKey_deleteValue) deleteValue;
  decltype(&Java_com_mervalon_util_win32_RegistryKey_setValue) setValue;
  decltype(&Java_com_mervalon_util_win32_WindowsHandling_setDisableMaximize) setDisableMaximize;
  decltype(&Java_com_mervalon_brokerage_quessel_gui_winterface_WInterface_getHwnd) getHwnd;
  decltype(&Java_com_mervalon_brokerage_quessel_gui_winterface_WInterface_setTopmost) setTopmost;
  decltype(&Java_com_mervalon_brokerage_quessel_gui_winterface_WInterface_setNotTopmost) setNotTopmost;
};

// The export name of a native with N bytes of arguments in this word size.
std::string exportName(const char* jniName, int argumentBytes);

// The library, loaded once for the test program; null when it can't be loaded.
HMODULE kelbrinModule();

// Every native resolved by its export name; a missing one is null.
const Natives& kelbrin();

#endif
