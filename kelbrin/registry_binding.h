// The key that a RegistryKey object names, shared by all registry natives:
// its root (field hKey) and its path below the root (field path).
#ifndef KELBRIN_REGISTRY_BINDING_H
#define KELBRIN_REGISTRY_BINDING_H

#include <windows.h>
#include <jni.h>

// Each registry native's work buffer: first the key path, then a name or the
// data it reads. A path or a name has at most 16000 bytes.
constexpr DWORD workBufferSize = 16001;

enum class Binding {
  failed,       // no class, a missing field, a null path or no bytes for it
  pathTooLong,  // both fields read, but the path has more than 16000 bytes
  bound,
};

// Reads the object's path, with its terminator, into path (a work buffer of
// workBufferSize bytes) and its hKey, widened with its sign, into root. Unless
// the result is bound, root is HKEY_CURRENT_USER and path is empty. Every
// string taken is released.
Binding bindRegistryKey(JNIEnv* env, jobject registryKey, HKEY* root, char* path);

// True for the seven predefined roots 0x80000000 to 0x80000006; only the low
// 32 bits of the handle count.
bool isPredefinedKey(HKEY key);

// A predefined root with an empty path is the root itself, and nothing is
// opened; otherwise RegOpenKeyExA. Null when the key can't be opened.
HKEY openKey(HKEY root, const char* path, REGSAM access);

// Closes a key that openKey or RegCreateKeyExA opened; never a predefined root.
void closeKey(HKEY key);

#endif
