#include <windows.h>

// The library has nothing to set up or tear down: the JVM binds every native
// by its exported name.
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
