// How the stand-in Java runtimes read what a test tells them: environment
// variables, which they inherit from the launcher. An unset (or overlong)
// variable reads as empty, and as the number 0.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

inline std::string variable(const char* name) {
  char value[512];
  DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

inline long number(const char* name) { return std::strtol(variable(name).c_str(), nullptr, 10); }
