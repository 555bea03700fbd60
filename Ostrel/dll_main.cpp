#include <windows.h>

// Loading the library does no work of its own.
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
  return TRUE;
}
