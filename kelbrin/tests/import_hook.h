// Replaces one function in a loaded module's import address table, so that a
// test sees the arguments a library passes at the call itself.
#ifndef KELBRIN_TESTS_IMPORT_HOOK_H
#define KELBRIN_TESTS_IMPORT_HOOK_H

#include <windows.h>

class ImportHook {
 public:
  // Patches module's import of dll!function (names compared without case)
  // to replacement; installed() tells whether the import was found.
  ImportHook(HMODULE module, const char* dll, const char* function, void* replacement);
  ~ImportHook();
  ImportHook(const ImportHook&) = delete;
  ImportHook& operator=(const ImportHook&) = delete;

  bool installed() const { return slot_ != nullptr; }
  // The function the slot held before.
  void* original() const { return original_; }

 private:
  void** slot_ = nullptr;
  void* original_ = nullptr;
};

#endif
