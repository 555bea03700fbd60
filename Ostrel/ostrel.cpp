// Natives of com.mervalon.module.updater.data.core.Ostrel.
#include <com_mervalon_module_updater_data_core_Ostrel.h>

#include <windows.h>

#include "elevated_start.h"
#include "utc_offset.h"

JNIEXPORT jboolean JNICALL Java_com_mervalon_module_updater_data_core_Ostrel_startAsAdmin(
    JNIEnv* env, jclass, jint hwnd, jstring file, jstring parameters, jstring directory) {
  // Each string is taken in turn; when the JVM gives no bytes for one, nothing
  // more is asked of it (an exception is pending), the strings obtained so far
  // are released and the shell is not called.
  if (file == nullptr) return JNI_FALSE;
  const char* fileBytes = env->GetStringUTFChars(file, nullptr);
  if (fileBytes == nullptr) return JNI_FALSE;

  const char* parameterBytes = nullptr;
  if (parameters != nullptr) {
    parameterBytes = env->GetStringUTFChars(parameters, nullptr);
    if (parameterBytes == nullptr) {
      env->ReleaseStringUTFChars(file, fileBytes);
      return JNI_FALSE;
    }
  }

  const char* directoryBytes = nullptr;
  if (directory != nullptr) {
    directoryBytes = env->GetStringUTFChars(directory, nullptr);
    if (directoryBytes == nullptr) {
      if (parameterBytes != nullptr) env->ReleaseStringUTFChars(parameters, parameterBytes);
      env->ReleaseStringUTFChars(file, fileBytes);
      return JNI_FALSE;
    }
  }

  // All three stay valid until the shell has returned.
  BOOL started = runElevated(windowFromJava(hwnd), fileBytes, parameterBytes, directoryBytes);

  env->ReleaseStringUTFChars(file, fileBytes);
  if (parameterBytes != nullptr) env->ReleaseStringUTFChars(parameters, parameterBytes);
  if (directoryBytes != nullptr) env->ReleaseStringUTFChars(directory, directoryBytes);
  return started ? JNI_TRUE : JNI_FALSE;
}

// Both time-zone natives ask the system anew at every call. The structure is
// zero-filled so that a failed query gives the offset 0.
JNIEXPORT jlong JNICALL Java_com_mervalon_module_updater_data_core_Ostrel_getTZ(JNIEnv*, jclass) {
  TIME_ZONE_INFORMATION zone{};
  DWORD status = GetTimeZoneInformation(&zone);
  return utcOffsetMillis(status, zone.Bias, zone.StandardBias, zone.DaylightBias);
}

JNIEXPORT jboolean JNICALL Java_com_mervalon_module_updater_data_core_Ostrel_isDayLight(JNIEnv*, jclass) {
  TIME_ZONE_INFORMATION zone{};
  return GetTimeZoneInformation(&zone) == TIME_ZONE_ID_DAYLIGHT ? JNI_TRUE : JNI_FALSE;
}
