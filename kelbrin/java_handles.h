// Handles cross to Java as a jint. The 32-bit build passes the same 32 bits
// both ways. The 64-bit build cuts a handle going to Java to its low 32 bits
// and widens a jint coming from Java with its sign: 0x80000001 becomes
// 0xFFFFFFFF80000001, the value under which 64-bit Windows knows
// HKEY_CURRENT_USER, and window handles, which Windows keeps within 32 bits,
// come back as they were.
#ifndef KELBRIN_JAVA_HANDLES_H
#define KELBRIN_JAVA_HANDLES_H

#include <windows.h>
#include <jni.h>

#include <cstdint>

inline HWND windowFromJava(jint handle) {
  return reinterpret_cast<HWND>(static_cast<intptr_t>(handle));
}

inline jint windowToJava(HWND window) {
  return static_cast<jint>(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window)));
}

inline HKEY rootFromJava(jint hKey) {
  return reinterpret_cast<HKEY>(static_cast<intptr_t>(hKey));
}

#endif
