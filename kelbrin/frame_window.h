// Finds the native window of a Java frame.
#ifndef KELBRIN_FRAME_WINDOW_H
#define KELBRIN_FRAME_WINDOW_H

#include <windows.h>
#include <jni.h>

// Gives the frame a temporary title that no other window carries, looks the
// window with that title up and puts the frame's old title (null included)
// back. Null when the frame's class lacks getTitle()/setTitle(String), when
// the temporary title can't be made (the frame is then left alone), or when
// no window carries it.
HWND findFrameWindow(JNIEnv* env, jobject frame);

#endif
