// Natives of com.mervalon.util.win32.RegistryKey. Each one binds its object's
// key, opens it, does its one piece of work in a stack buffer and closes it
// again; every string taken from the JVM is released before it returns.
#include "jni_exports.h"

#include <com_mervalon_util_win32_RegistryKey.h>

#include <windows.h>

#include <cstring>

#include "registry_binding.h"

namespace {

// A Java string's bytes; null for a null string or when the JVM gives none
// (it then has an exception pending).
const char* stringBytes(JNIEnv* env, jstring string) {
  return string == nullptr ? nullptr : env->GetStringUTFChars(string, nullptr);
}

// Reads the name at an index of an enumeration into the work buffer
// (workBufferSize bytes).
using ReadName = LONG (*)(HKEY key, DWORD index, char* name);

LONG readSubkeyName(HKEY key, DWORD index, char* name) {
  return RegEnumKeyA(key, index, name, workBufferSize);
}

LONG readValueName(HKEY key, DWORD index, char* name) {
  DWORD length = workBufferSize;
  LONG status = RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
  // The length excludes the terminator; the name is ended at it all the same.
  if (status == ERROR_SUCCESS) name[length < workBufferSize ? length : workBufferSize - 1] = '\0';
  return status;
}

// Counts the names, then reads them again into a new String array. A name
// that can't be read the second time (the key changed) stays null.
jobjectArray listNames(JNIEnv* env, HKEY key, ReadName readName, char* name) {
  jclass stringClass = env->FindClass("java/lang/String");
  if (stringClass == nullptr) return nullptr;

  DWORD count = 0;
  while (readName(key, count, name) == ERROR_SUCCESS) ++count;

  jobjectArray names = env->NewObjectArray(static_cast<jsize>(count), stringClass, nullptr);
  if (names == nullptr) return nullptr;
  for (DWORD index = 0; index < count; ++index) {
    if (readName(key, index, name) != ERROR_SUCCESS) continue;
    jstring element = env->NewStringUTF(name);
    // The JVM has an exception pending: no further JNI call may be made.
    if (element == nullptr) return nullptr;
    env->SetObjectArrayElement(names, static_cast<jsize>(index), element);
  }
  return names;
}

jobjectArray enumerate(JNIEnv* env, jobject self, ReadName readName) {
  HKEY root;
  char buffer[workBufferSize];
  if (bindRegistryKey(env, self, &root, buffer) != Binding::bound) return nullptr;
  HKEY key = openKey(root, buffer, KEY_READ);
  if (key == nullptr) return nullptr;
  jobjectArray names = listNames(env, key, readName, buffer);
  closeKey(key);
  return names;
}

// Reads the value's data into the buffer (workBufferSize + 1 bytes), which
// first holds the key's path, and ends them as text. Data of more than 16001
// bytes are a failure.
bool readValueText(HKEY root, const char* name, char* buffer) {
  HKEY key = openKey(root, buffer, KEY_READ);
  if (key == nullptr) return false;
  DWORD size = workBufferSize;
  LONG status = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
  closeKey(key);
  if (status != ERROR_SUCCESS) return false;
  buffer[size < workBufferSize ? size : workBufferSize] = '\0';
  return true;
}

// Written values are always REG_EXPAND_SZ, stored without a terminator.
bool writeValue(HKEY root, const char* path, const char* name, const char* data) {
  HKEY key = openKey(root, path, KEY_WRITE);
  if (key == nullptr) return false;
  LONG status = RegSetValueExA(key, name, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(data),
                               static_cast<DWORD>(std::strlen(data)));
  closeKey(key);
  return status == ERROR_SUCCESS;
}

bool removeValue(HKEY root, const char* path, const char* name) {
  HKEY key = openKey(root, path, KEY_WRITE);
  if (key == nullptr) return false;
  LONG status = RegDeleteValueA(key, name);
  closeKey(key);
  return status == ERROR_SUCCESS;
}

}  // namespace

JNIEXPORT jobjectArray JNICALL Java_com_mervalon_util_win32_RegistryKey_getSubkeysNames(JNIEnv* env, jobject self) {
  return enumerate(env, self, readSubkeyName);
}

JNIEXPORT jobjectArray JNICALL Java_com_mervalon_util_win32_RegistryKey_getValuesNames(JNIEnv* env, jobject self) {
  return enumerate(env, self, readValueName);
}

// The value name is taken before the key is opened, so that a name the JVM
// can't give costs no registry call.
JNIEXPORT jstring JNICALL Java_com_mervalon_util_win32_RegistryKey_getValue(JNIEnv* env, jobject self, jstring name) {
  HKEY root;
  // One byte more than the registry may fill, for the terminator after the data.
  char buffer[workBufferSize + 1];
  if (bindRegistryKey(env, self, &root, buffer) != Binding::bound) return nullptr;
  const char* nameBytes = stringBytes(env, name);
  if (nameBytes == nullptr) return nullptr;
  // An empty name would read the key's unnamed default value, which these
  // natives leave alone.
  bool found = nameBytes[0] != '\0' && readValueText(root, nameBytes, buffer);
  env->ReleaseStringUTFChars(name, nameBytes);
  return found ? env->NewStringUTF(buffer) : nullptr;
}

JNIEXPORT jboolean JNICALL Java_com_mervalon_util_win32_RegistryKey_setValue(JNIEnv* env, jobject self, jstring name,
                                                                             jstring data) {
  HKEY root;
  char path[workBufferSize];
  if (bindRegistryKey(env, self, &root, path) != Binding::bound) return JNI_FALSE;
  const char* nameBytes = stringBytes(env, name);
  if (nameBytes == nullptr) return JNI_FALSE;
  bool written = false;
  if (nameBytes[0] != '\0') {
    const char* dataBytes = stringBytes(env, data);
    if (dataBytes != nullptr) {
      written = dataBytes[0] != '\0' && writeValue(root, path, nameBytes, dataBytes);
      env->ReleaseStringUTFChars(data, dataBytes);
    }
  }
  env->ReleaseStringUTFChars(name, nameBytes);
  return written ? JNI_TRUE : JNI_FALSE;
}

JNIEXPORT jboolean JNICALL Java_com_mervalon_util_win32_RegistryKey_deleteValue(JNIEnv* env, jobject self,
                                                                                jstring name) {
  HKEY root;
  char path[workBufferSize];
  if (bindRegistryKey(env, self, &root, path) != Binding::bound) return JNI_FALSE;
  const char* nameBytes = stringBytes(env, name);
  if (nameBytes == nullptr) return JNI_FALSE;
  bool deleted = nameBytes[0] != '\0' && removeValue(root, path, nameBytes);
  env->ReleaseStringUTFChars(name, nameBytes);
  return deleted ? JNI_TRUE : JNI_FALSE;
}

// create and delete answer true when the registry call failed. A path too
// long to copy names a key that can't be opened, which is such a failure.
JNIEXPORT jboolean JNICALL Java_com_mervalon_util_win32_RegistryKey_create(JNIEnv* env, jobject self) {
  HKEY root;
  char path[workBufferSize];
  Binding binding = bindRegistryKey(env, self, &root, path);
  if (binding != Binding::bound) return binding == Binding::pathTooLong ? JNI_TRUE : JNI_FALSE;
  HKEY key = nullptr;
  DWORD disposition;
  LONG status = RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                                &disposition);
  if (status != ERROR_SUCCESS) return JNI_TRUE;
  closeKey(key);
  return JNI_FALSE;
}

JNIEXPORT jboolean JNICALL Java_com_mervalon_util_win32_RegistryKey_delete(JNIEnv* env, jobject self) {
  HKEY root;
  char path[workBufferSize];
  Binding binding = bindRegistryKey(env, self, &root, path);
  if (binding != Binding::bound) return binding == Binding::pathTooLong ? JNI_TRUE : JNI_FALSE;
  return RegDeleteKeyA(root, path) != ERROR_SUCCESS ? JNI_TRUE : JNI_FALSE;
}
