/* Windows platform part of the JNI headers, for the MinGW-w64 toolchains. */
#ifndef ZANTIQ_JNI_MD_H
#define ZANTIQ_JNI_MD_H

#include <stdint.h>

#define JNIEXPORT __declspec(dllexport)
#define JNIIMPORT __declspec(dllimport)
/* JNICALL is stdcall on 32-bit Windows; on x64 there is one convention. */
#if defined(_WIN64)
#define JNICALL
#else
#define JNICALL __stdcall
#endif

typedef int32_t jint;
typedef int64_t jlong;
typedef signed char jbyte;

#endif
