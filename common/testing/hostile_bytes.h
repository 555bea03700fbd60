// Hostile input shared by the tests that build for Windows and for this
// machine: a header of its own, with no system call.
#pragma once

#include <cstddef>
#include <string>

// `size` bytes that run through every byte value, NUL and the text-mode
// separators included, but never Ctrl-Z, which would end a property file at once.
inline std::string everyByteValue(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<char>(i * 7 % 256);
    if (bytes[i] == '\x1A') bytes[i] = '\x1B';
  }
  return bytes;
}
