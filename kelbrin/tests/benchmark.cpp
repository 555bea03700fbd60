// Cost of the natives over the raw registry calls they make, under Wine:
// getValue through the fake JVM against RegOpenKeyExA + RegQueryValueExA +
// RegCloseKey, and getValuesNames over 1,000 values against one RegEnumValueA
// loop. Prints the figures; asserts only that the results are right.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "fake_jni.h"
#include "kelbrin_host.h"

namespace {

double now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Microseconds per run of each body: the two are timed in alternating
// rounds of runs runs, and each keeps its best round, so that load from other
// processes (which slows every registry call through the Wine server) falls
// on both alike and a disturbed round doesn't count.
struct Figures {
  double native;
  double raw;
};

template <typename Native, typename Raw>
Figures compare(int runs, Native native, Raw raw) {
  Figures best{1e30, 1e30};
  for (int round = 0; round < 10; ++round) {
    double start = now();
    for (int i = 0; i < runs; ++i) native();
    double middle = now();
    for (int i = 0; i < runs; ++i) raw();
    double end = now();
    best.native = std::min(best.native, (middle - start) * 1e6 / runs);
    best.raw = std::min(best.raw, (end - middle) * 1e6 / runs);
  }
  return best;
}

TEST(Benchmark, NativesAgainstRawRegistryCalls) {
  ASSERT_NE(kelbrin().getValue, nullptr);
  const std::string scratch = "Software\\KelbrinBenchmark-" + std::to_string(GetCurrentProcessId());
  const std::string many = scratch + "\\many";
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, many.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  for (int i = 0; i < 1000; ++i) {
    std::string name = "value" + std::to_string(i);
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>("data"), 5);
  }
  RegCloseKey(key);
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, scratch.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "v", 0, REG_SZ, reinterpret_cast<const BYTE*>("some text"), 10);
  RegCloseKey(key);

  fake_jni::FakeJvm jvm;
  JNIEnv* env = jvm.env();
  jobject single = jvm.registryKey(scratch.c_str(), static_cast<jint>(0x80000001u));
  jobject manyKey = jvm.registryKey(many.c_str(), static_cast<jint>(0x80000001u));
  jstring name = jvm.string("v");
  ASSERT_EQ(jvm.text(kelbrin().getValue(env, single, name)), "some text");
  ASSERT_EQ(jvm.strings(kelbrin().getValuesNames(env, manyKey)).size(), 1000u);

  Figures value = compare(
      200, [&] { kelbrin().getValue(env, single, name); },
      [&] {
        HKEY k;
        char data[16002];
        DWORD size = 16001;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, scratch.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return;
        RegQueryValueExA(k, "v", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(k);
      });
  std::printf("getValue: %.1f us per call, raw open+query+close %.1f us, ratio %.2f\n", value.native, value.raw,
              value.native / value.raw);

  Figures list = compare(
      2, [&] { kelbrin().getValuesNames(env, manyKey); },
      [&] {
        HKEY k;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, many.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return;
        char buffer[16001];
        for (DWORD index = 0;; ++index) {
          DWORD length = sizeof buffer;
          if (RegEnumValueA(k, index, buffer, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        }
        RegCloseKey(k);
      });
  std::printf("getValuesNames of 1000 values: %.0f us, raw RegEnumValueA loop %.0f us, ratio %.2f\n", list.native,
              list.raw, list.native / list.raw);

  RegDeleteTreeA(HKEY_CURRENT_USER, scratch.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, scratch.c_str());
}

}  // namespace
