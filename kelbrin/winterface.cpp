// Natives of com.mervalon.brokerage.quessel.gui.winterface.WInterface.
#include "jni_exports.h"

#include <com_mervalon_brokerage_quessel_gui_winterface_WInterface.h>

#include <windows.h>

#include "java_handles.h"

// The title is looked up on the JVM's own bytes before they are released, so
// that a title of any length is looked up whole. The bytes go to FindWindowA
// as they are (modified UTF-8 read as ANSI text).
JNIEXPORT jint JNICALL Java_com_mervalon_brokerage_quessel_gui_winterface_WInterface_getHwnd(JNIEnv* env, jclass,
                                                                                             jstring title) {
  if (title == nullptr) return 0;
  const char* titleBytes = env->GetStringUTFChars(title, nullptr);
  if (titleBytes == nullptr) return 0;
  HWND window = FindWindowA(nullptr, titleBytes);
  env->ReleaseStringUTFChars(title, titleBytes);
  return windowToJava(window);
}

// Both keep the window's position and size; without SWP_NOACTIVATE the window
// is activated too. The SetWindowPos result goes to Java unchanged.
JNIEXPORT jint JNICALL Java_com_mervalon_brokerage_quessel_gui_winterface_WInterface_setTopmost(JNIEnv*, jclass,
                                                                                                jint hwnd) {
  return SetWindowPos(windowFromJava(hwnd), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

JNIEXPORT jint JNICALL Java_com_mervalon_brokerage_quessel_gui_winterface_WInterface_setNotTopmost(JNIEnv*, jclass,
                                                                                                   jint hwnd) {
  return SetWindowPos(windowFromJava(hwnd), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}
