#include "registry_binding.h"

#include <cstdint>
#include <cstring>

#include "java_handles.h"

namespace {

// Copies the path with its terminator when it fits the work buffer. A longer
// path is not copied at all: a cut path would name another key.
bool copyPath(const char* bytes, char* path) {
  size_t length = strnlen(bytes, workBufferSize);
  if (length == workBufferSize) return false;
  std::memcpy(path, bytes, length + 1);
  return true;
}

}  // namespace

Binding bindRegistryKey(JNIEnv* env, jobject registryKey, HKEY* root, char* path) {
  *root = HKEY_CURRENT_USER;
  path[0] = '\0';

  jclass cls = env->GetObjectClass(registryKey);
  if (cls == nullptr) return Binding::failed;

  jfieldID pathField = env->GetFieldID(cls, "path", "Ljava/lang/String;");
  if (pathField == nullptr) return Binding::failed;
  jstring pathString = static_cast<jstring>(env->GetObjectField(registryKey, pathField));
  if (pathString == nullptr) return Binding::failed;
  const char* bytes = env->GetStringUTFChars(pathString, nullptr);
  if (bytes == nullptr) return Binding::failed;
  bool fits = copyPath(bytes, path);
  env->ReleaseStringUTFChars(pathString, bytes);

  jfieldID rootField = env->GetFieldID(cls, "hKey", "I");
  if (rootField == nullptr) {
    path[0] = '\0';
    return Binding::failed;
  }
  if (!fits) return Binding::pathTooLong;
  *root = rootFromJava(env->GetIntField(registryKey, rootField));
  return Binding::bound;
}

bool isPredefinedKey(HKEY key) {
  uint32_t low = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(key));
  return low >= 0x80000000u && low <= 0x80000006u;
}

HKEY openKey(HKEY root, const char* path, REGSAM access) {
  if (isPredefinedKey(root) && (path == nullptr || path[0] == '\0')) return root;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, access, &key) != ERROR_SUCCESS) return nullptr;
  return key;
}

void closeKey(HKEY key) {
  if (key != nullptr && !isPredefinedKey(key)) RegCloseKey(key);
}
