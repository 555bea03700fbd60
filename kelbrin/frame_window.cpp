#include "frame_window.h"

#include "temporary_title.h"

HWND findFrameWindow(JNIEnv* env, jobject frame) {
  jclass frameClass = env->GetObjectClass(frame);
  if (frameClass == nullptr) return nullptr;
  // A failed lookup leaves NoSuchMethodError pending; no further JNI call may
  // follow it, so the second method is looked up only after the first is found.
  jmethodID getTitle = env->GetMethodID(frameClass, "getTitle", "()Ljava/lang/String;");
  if (getTitle == nullptr) return nullptr;
  jmethodID setTitle = env->GetMethodID(frameClass, "setTitle", "(Ljava/lang/String;)V");
  if (setTitle == nullptr) return nullptr;

  jobject oldTitle = env->CallObjectMethod(frame, getTitle);
  char title[temporaryTitleSize];
  makeTemporaryTitle(GetTickCount(), title);
  jstring temporary = env->NewStringUTF(title);
  if (temporary == nullptr) return nullptr;

  // The frame's native window carries the new title once setTitle has
  // returned, so it is looked up at once, without a wait.
  env->CallVoidMethod(frame, setTitle, temporary);
  HWND window = FindWindowA(nullptr, title);
  env->CallVoidMethod(frame, setTitle, oldTitle);
  return window;
}
