// Include this before a generated native header. Both builds export exactly
// the names of their .def file: the x86 JVM looks the natives up as "_Name@N",
// and a dllexport on the declarations would add a second export per native
// under the linker's own decoration ("Name@N").
#ifndef KELBRIN_JNI_EXPORTS_H
#define KELBRIN_JNI_EXPORTS_H

#include <jni.h>

#undef JNIEXPORT
#define JNIEXPORT

#endif
