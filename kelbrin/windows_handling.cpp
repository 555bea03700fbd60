// Natives of com.mervalon.util.win32.WindowsHandling.
#include "jni_exports.h"

#include <com_mervalon_util_win32_WindowsHandling.h>

#include <windows.h>

#include "frame_window.h"

// Clears the maximize box in the frame window's style word, which is written
// even when the bit is clear already; no other bit changes and the frame is
// not redrawn. True when SetWindowLongA answers non-zero.
JNIEXPORT jboolean JNICALL Java_com_mervalon_util_win32_WindowsHandling_setDisableMaximize(JNIEnv* env, jclass,
                                                                                           jobject frame) {
  if (frame == nullptr) return JNI_FALSE;
  HWND window = findFrameWindow(env, frame);
  if (window == nullptr) return JNI_FALSE;
  LONG style = GetWindowLongA(window, GWL_STYLE);
  return SetWindowLongA(window, GWL_STYLE, style & ~WS_MAXIMIZEBOX) != 0 ? JNI_TRUE : JNI_FALSE;
}
