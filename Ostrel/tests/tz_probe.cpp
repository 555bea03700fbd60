// Loads the built library and prints what its time-zone natives answer in this
// process's time zone: "offset=<ms> daylight=<0|1>".
#include <windows.h>

#include <cstdint>
#include <cstdio>

using GetTz = int64_t(__cdecl*)(void*, void*);
using IsDayLight = unsigned char(__cdecl*)(void*, void*);

int main(int argc, char** argv) {
  SetErrorMode(SEM_NOGPFAULTERRORBOX);
  if (argc != 2) return 2;
  HMODULE library = LoadLibraryA(argv[1]);
  if (library == nullptr) return 3;
  auto getTz = reinterpret_cast<GetTz>(reinterpret_cast<void*>(
      GetProcAddress(library, "Java_com_mervalon_module_updater_data_core_Ostrel_getTZ")));
  auto isDayLight = reinterpret_cast<IsDayLight>(reinterpret_cast<void*>(
      GetProcAddress(library, "Java_com_mervalon_module_updater_data_core_Ostrel_isDayLight")));
  if (getTz == nullptr || isDayLight == nullptr) return 4;
  // Neither native uses the JNI environment or the class.
  std::printf("offset=%lld daylight=%d\n", static_cast<long long>(getTz(nullptr, nullptr)),
              isDayLight(nullptr, nullptr) ? 1 : 0);
  FreeLibrary(library);
  return 0;
}
