// Lorvex.exe: the diagnostic-mode launcher of the portable installation.
#include <windows.h>

#include "launcher.h"

// The argument text comes from GetCommandLineA rather than from the runtime's
// start-up, which cuts a program name holding bytes of 0x80 or above.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return lorvex::runLauncher(lorvex::processArgumentText());
}
