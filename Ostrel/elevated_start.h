#pragma once
#include <windows.h>
#include <shellapi.h>

#include <cstdint>

// The shell request that starts `file` through the "runas" verb: zero-filled,
// no SEE_MASK flags, owned by `window` (may be null), shown normally.
// `parameters` and `directory` may be null, meaning none.
SHELLEXECUTEINFOA elevatedRequest(HWND window, const char* file, const char* parameters,
                                  const char* directory);

// Hands the request to the shell once; non-zero when the shell started the file.
// The product calls ShellExecuteExA; tests link a recorder in its place.
BOOL submitShellRequest(SHELLEXECUTEINFOA* request);

// Builds the request and submits it; the shell shows its own error messages.
BOOL runElevated(HWND window, const char* file, const char* parameters, const char* directory);

// A window handle from Java: the jint's 32 bits, sign-extended to the handle's width.
inline HWND windowFromJava(int32_t handle) {
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(handle));
}
