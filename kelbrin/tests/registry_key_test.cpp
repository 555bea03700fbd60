// The registry natives, called through the library's exports against the
// (Wine) registry below a scratch key in HKEY_CURRENT_USER. Import hooks on the
// library's registry calls record what reaches each call, and check that every
// key the library opens is closed again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fake_jni.h"
#include "import_hook.h"
#include "kelbrin_host.h"

using fake_jni::FakeJvm;
using fake_jni::Failing;
using Names = std::vector<std::optional<std::string>>;

namespace {

const jint hkcu = static_cast<jint>(0x80000001u);

uintptr_t bits(HKEY key) { return reinterpret_cast<uintptr_t>(key); }

// What reached one registry call of the library.
struct RegistryCall {
  std::string function;
  uintptr_t key;
  std::string path;  // the subkey or value name, where the call takes one
  REGSAM access;
  DWORD type;
  std::string data;  // RegSetValueExA: the bytes by the byte count given
};

std::vector<RegistryCall> calls;
std::multiset<uintptr_t> openKeys;

void record(const char* function, HKEY key, const char* path = nullptr, REGSAM access = 0) {
  calls.push_back({function, bits(key), path ? path : "", access, 0, {}});
}

LONG WINAPI openHook(HKEY key, LPCSTR path, DWORD options, REGSAM access, PHKEY result) {
  record("RegOpenKeyExA", key, path, access);
  LONG status = RegOpenKeyExA(key, path, options, access, result);
  if (status == ERROR_SUCCESS) openKeys.insert(bits(*result));
  return status;
}

LONG WINAPI createHook(HKEY key, LPCSTR path, DWORD reserved, LPSTR cls, DWORD options, REGSAM access,
                       LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition) {
  record("RegCreateKeyExA", key, path, access);
  LONG status = RegCreateKeyExA(key, path, reserved, cls, options, access, security, result, disposition);
  if (status == ERROR_SUCCESS) openKeys.insert(bits(*result));
  return status;
}

LONG WINAPI closeHook(HKEY key) {
  record("RegCloseKey", key);
  auto found = openKeys.find(bits(key));
  if (found == openKeys.end()) {
    ADD_FAILURE() << "RegCloseKey of a key the library did not open: " << std::hex << bits(key);
    return ERROR_INVALID_HANDLE;
  }
  openKeys.erase(found);
  return RegCloseKey(key);
}

LONG WINAPI enumKeyHook(HKEY key, DWORD index, LPSTR name, DWORD size) {
  record("RegEnumKeyA", key);
  return RegEnumKeyA(key, index, name, size);
}

LONG WINAPI enumValueHook(HKEY key, DWORD index, LPSTR name, LPDWORD length, LPDWORD reserved, LPDWORD type,
                          LPBYTE data, LPDWORD size) {
  record("RegEnumValueA", key);
  return RegEnumValueA(key, index, name, length, reserved, type, data, size);
}

LONG WINAPI queryHook(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) {
  record("RegQueryValueExA", key, name);
  return RegQueryValueExA(key, name, reserved, type, data, size);
}

// Wine's RegSetValueExA stores a terminator after string data whatever the
// count says, so type and count are checked here, at the call.
LONG WINAPI setHook(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size) {
  record("RegSetValueExA", key, name);
  calls.back().type = type;
  calls.back().data.assign(reinterpret_cast<const char*>(data), size);
  return RegSetValueExA(key, name, reserved, type, data, size);
}

LONG WINAPI deleteValueHook(HKEY key, LPCSTR name) {
  record("RegDeleteValueA", key, name);
  return RegDeleteValueA(key, name);
}

LONG WINAPI deleteKeyHook(HKEY key, LPCSTR path) {
  record("RegDeleteKeyA", key, path);
  return RegDeleteKeyA(key, path);
}

struct HookedFunction {
  const char* name;
  void* hook;
};

const HookedFunction hookedFunctions[] = {
    {"RegOpenKeyExA", reinterpret_cast<void*>(openHook)},
    {"RegCreateKeyExA", reinterpret_cast<void*>(createHook)},
    {"RegCloseKey", reinterpret_cast<void*>(closeHook)},
    {"RegEnumKeyA", reinterpret_cast<void*>(enumKeyHook)},
    {"RegEnumValueA", reinterpret_cast<void*>(enumValueHook)},
    {"RegQueryValueExA", reinterpret_cast<void*>(queryHook)},
    {"RegSetValueExA", reinterpret_cast<void*>(setHook)},
    {"RegDeleteValueA", reinterpret_cast<void*>(deleteValueHook)},
    {"RegDeleteKeyA", reinterpret_cast<void*>(deleteKeyHook)},
};

class RegistryKeyTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(kelbrinModule(), nullptr);
    for (const HookedFunction& f : hookedFunctions) {
      hooks_.push_back(std::make_unique<ImportHook>(kelbrinModule(), "advapi32.dll", f.name, f.hook));
      ASSERT_TRUE(hooks_.back()->installed()) << f.name;
    }
    scratch_ = "Software\\KelbrinTests-" + std::to_string(GetCurrentProcessId()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name();
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, scratch_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    calls.clear();
    openKeys.clear();
  }

  void TearDown() override {
    EXPECT_TRUE(openKeys.empty()) << openKeys.size() << " keys left open";
    EXPECT_EQ(jvm.unreleasedStrings(), 0);
    RegDeleteTreeA(HKEY_CURRENT_USER, scratch_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, scratch_.c_str());
  }

  // A RegistryKey for the scratch key or a key below it.
  jobject key(const std::string& below = "") {
    return jvm.registryKey((below.empty() ? scratch_ : scratch_ + "\\" + below).c_str(), hkcu);
  }

  jstring s(const char* text) { return jvm.string(text); }

  int count(const char* function) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                          [&](const RegistryCall& c) { return c.function == function; }));
  }

  void writeRaw(const char* name, DWORD type, const std::string& bytes) {
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, scratch_.c_str(), 0, KEY_WRITE, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  void createRaw(const std::string& below) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (scratch_ + "\\" + below).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }

  bool rawKeyExists(const std::string& below) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (scratch_ + "\\" + below).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
      return false;
    RegCloseKey(key);
    return true;
  }

  // The value's type, or REG_NONE when it doesn't exist.
  DWORD rawType(const char* name) {
    DWORD type = REG_NONE;
    if (RegGetValueA(HKEY_CURRENT_USER, scratch_.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr,
                     nullptr) != ERROR_SUCCESS)
      return REG_NONE;
    return type;
  }

  Names names(jobjectArray array) { return jvm.strings(array); }

  static Names sorted(Names n) {
    std::sort(n.begin(), n.end());
    return n;
  }

  FakeJvm jvm;
  JNIEnv* env = jvm.env();
  const Natives& n = kelbrin();
  std::string scratch_;

 private:
  std::vector<std::unique_ptr<ImportHook>> hooks_;
};

TEST_F(RegistryKeyTest, CreateAndDeleteAnswerTrueWhenTheRegistryCallFails) {
  jobject child = key("child\\grandchild");
  EXPECT_FALSE(n.create(env, child));  // the missing parent is created along
  EXPECT_TRUE(rawKeyExists("child\\grandchild"));
  EXPECT_FALSE(n.create(env, child));  // opened, since it exists
  EXPECT_TRUE(n.remove(env, key("child")));  // still has a subkey
  EXPECT_FALSE(n.remove(env, child));
  EXPECT_FALSE(rawKeyExists("child\\grandchild"));
  EXPECT_TRUE(n.remove(env, child));  // gone already
  EXPECT_TRUE(n.create(env, jvm.registryKey("x", 0x1234)));  // a root that is no key
}

TEST_F(RegistryKeyTest, SetValueWritesAnExpandStringWithoutTerminator) {
  ASSERT_TRUE(n.setValue(env, key(), s("name"), s("abc")));
  ASSERT_EQ(count("RegSetValueExA"), 1);
  const RegistryCall& set = *std::find_if(calls.begin(), calls.end(),
                                          [](const RegistryCall& c) { return c.function == "RegSetValueExA"; });
  EXPECT_EQ(set.path, "name");
  EXPECT_EQ(set.type, static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(set.data, "abc");  // three bytes, no terminator
  EXPECT_EQ(rawType("name"), static_cast<DWORD>(REG_EXPAND_SZ));
  EXPECT_EQ(jvm.text(n.getValue(env, key(), s("name"))), "abc");

  // Read back as written, not expanded.
  ASSERT_TRUE(n.setValue(env, key(), s("name"), s("%SystemRoot%\\x")));
  EXPECT_EQ(jvm.text(n.getValue(env, key(), s("name"))), "%SystemRoot%\\x");
}

TEST_F(RegistryKeyTest, GetValueReadsDataOfAnyTypeAsText) {
  // Binary data stand in for strings stored without a terminator, which Wine
  // would add to a string type.
  const struct {
    const char* name;
    DWORD type;
    std::string bytes;
    std::optional<std::string> text;
  } cases[] = {
      {"dword49", REG_DWORD, std::string("1\0\0\0", 4), "1"},
      {"dword0", REG_DWORD, std::string(4, '\0'), ""},
      {"binary", REG_BINARY, "ab", "ab"},
      {"withTerminator", REG_SZ, std::string("abc\0", 4), "abc"},
      {"withoutTerminator", REG_BINARY, "abc", "abc"},
      {"zeroInside", REG_BINARY, std::string("ab\0cd", 5), "ab"},
      {"longest", REG_BINARY, std::string(16001, 'x'), std::string(16001, 'x')},
      {"tooLong", REG_BINARY, std::string(16002, 'x'), std::nullopt},
      {"missing", REG_NONE, "", std::nullopt},
  };
  for (const auto& c : cases) {
    if (c.type != REG_NONE) writeRaw(c.name, c.type, c.bytes);
    EXPECT_EQ(jvm.text(n.getValue(env, key(), s(c.name))), c.text) << c.name;
  }
}

TEST_F(RegistryKeyTest, EmptyOrNullNamesAndDataFailWithoutARegistryCall) {
  jobject k = key();
  const struct {
    const char* what;
    std::function<bool()> failed;
  } cases[] = {
      {"getValue empty", [&] { return n.getValue(env, k, s("")) == nullptr; }},
      {"getValue null", [&] { return n.getValue(env, k, nullptr) == nullptr; }},
      {"deleteValue empty", [&] { return !n.deleteValue(env, k, s("")); }},
      {"deleteValue null", [&] { return !n.deleteValue(env, k, nullptr); }},
      {"setValue empty name", [&] { return !n.setValue(env, k, s(""), s("data")); }},
      {"setValue empty data", [&] { return !n.setValue(env, k, s("name"), s("")); }},
      {"setValue null name", [&] { return !n.setValue(env, k, nullptr, s("data")); }},
      {"setValue null data", [&] { return !n.setValue(env, k, s("name"), nullptr); }},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(c.failed()) << c.what;
    EXPECT_TRUE(calls.empty()) << c.what;
    EXPECT_EQ(jvm.unreleasedStrings(), 0) << c.what;
  }
  EXPECT_EQ(rawType("name"), static_cast<DWORD>(REG_NONE));
}

TEST_F(RegistryKeyTest, StringsTheJvmCannotGiveFailWithoutARegistryCall) {
  jobject k = key();
  // The path is the first string each native takes, the value name the second.
  const struct {
    const char* what;
    int nth;
    std::function<bool()> failed;
  } cases[] = {
      {"getValue path", 1, [&] { return n.getValue(env, k, s("v")) == nullptr; }},
      {"getValue name", 2, [&] { return n.getValue(env, k, s("v")) == nullptr; }},
      {"deleteValue name", 2, [&] { return !n.deleteValue(env, k, s("v")); }},
      {"setValue name", 2, [&] { return !n.setValue(env, k, s("v"), s("d")); }},
      {"setValue data", 3, [&] { return !n.setValue(env, k, s("v"), s("d")); }},
      {"create path", 1, [&] { return !n.create(env, k); }},
      {"getSubkeysNames path", 1, [&] { return n.getSubkeysNames(env, k) == nullptr; }},
  };
  for (const auto& c : cases) {
    jvm.failCall(Failing::GetStringUTFChars, c.nth);
    EXPECT_TRUE(c.failed()) << c.what;
    EXPECT_TRUE(calls.empty()) << c.what;
    EXPECT_EQ(jvm.unreleasedStrings(), 0) << c.what;
    EXPECT_EQ(jvm.pendingException(), "java/lang/OutOfMemoryError") << c.what;
    jvm.clearException();
  }
}

TEST_F(RegistryKeyTest, EnumerationsListSubkeysAndValues) {
  EXPECT_EQ(names(n.getSubkeysNames(env, key())), Names{});
  EXPECT_EQ(names(n.getValuesNames(env, key())), Names{});

  for (const char* subkey : {"beta", "alpha", "gamma"}) createRaw(subkey);
  for (const char* value : {"two", "one"}) writeRaw(value, REG_SZ, "x");
  EXPECT_EQ(sorted(names(n.getSubkeysNames(env, key()))), (Names{"alpha", "beta", "gamma"}));
  calls.clear();
  EXPECT_EQ(sorted(names(n.getValuesNames(env, key()))), (Names{"one", "two"}));
  EXPECT_EQ(count("RegEnumValueA"), 2 * 2 + 1);  // count pass with its end, then fill pass
  EXPECT_EQ(names(n.getSubkeysNames(env, key("alpha"))), Names{});
}

TEST_F(RegistryKeyTest, ValueNameLongerThanTheBufferEndsTheList) {
  // The registry lists values by name, so the long one comes between the two.
  writeRaw("a", REG_SZ, "x");
  writeRaw(std::string(16001, 'n').c_str(), REG_SZ, "x");
  writeRaw("z", REG_SZ, "x");
  EXPECT_EQ(names(n.getValuesNames(env, key())), Names{"a"});
}

TEST_F(RegistryKeyTest, PredefinedRootWithEmptyPathIsTheRootItself) {
  jobject root = jvm.registryKey("", hkcu);
  Names subkeys = names(n.getSubkeysNames(env, root));
  EXPECT_NE(std::find(subkeys.begin(), subkeys.end(), std::optional<std::string>("Software")), subkeys.end());

  std::string name = "KelbrinTests-" + std::to_string(GetCurrentProcessId());
  EXPECT_TRUE(n.setValue(env, root, s(name.c_str()), s("x")));
  EXPECT_EQ(jvm.text(n.getValue(env, root, s(name.c_str()))), "x");
  EXPECT_TRUE(n.deleteValue(env, root, s(name.c_str())));
  EXPECT_EQ(n.getValue(env, root, s(name.c_str())), nullptr);

  // Nothing opened, nothing closed: every call went to the root itself.
  EXPECT_EQ(count("RegOpenKeyExA"), 0);
  EXPECT_EQ(count("RegCloseKey"), 0);
  for (const RegistryCall& c : calls) EXPECT_EQ(c.key, bits(HKEY_CURRENT_USER)) << c.function;
}

TEST_F(RegistryKeyTest, EachNativeOpensItsKeyWithItsAccessOnTheWidenedRoot) {
  // The roots as 64-bit Windows knows them: the int widened with its sign.
  // Wine looks at the low 32 bits only, so a zero-extended root would work
  // here and fail on Windows; the value is checked at the call.
  const uintptr_t currentUser = static_cast<uintptr_t>(static_cast<intptr_t>(static_cast<int32_t>(0x80000001u)));
  ASSERT_EQ(currentUser, bits(HKEY_CURRENT_USER));
#ifdef _WIN64
  ASSERT_EQ(currentUser, 0xFFFFFFFF80000001ull);
#endif
  writeRaw("v", REG_SZ, "x");
  jobject k = key();
  const struct {
    const char* what;
    std::function<void()> call;
    const char* function;
    REGSAM access;
  } cases[] = {
      {"getSubkeysNames", [&] { n.getSubkeysNames(env, k); }, "RegOpenKeyExA", KEY_READ},
      {"getValuesNames", [&] { n.getValuesNames(env, k); }, "RegOpenKeyExA", KEY_READ},
      {"getValue", [&] { n.getValue(env, k, s("v")); }, "RegOpenKeyExA", KEY_READ},
      {"setValue", [&] { n.setValue(env, k, s("v"), s("y")); }, "RegOpenKeyExA", KEY_WRITE},
      {"deleteValue", [&] { n.deleteValue(env, k, s("v")); }, "RegOpenKeyExA", KEY_WRITE},
      {"create", [&] { n.create(env, k); }, "RegCreateKeyExA", KEY_ALL_ACCESS},
      {"delete", [&] { n.remove(env, k); }, "RegDeleteKeyA", 0},
  };
  for (const auto& c : cases) {
    calls.clear();
    c.call();
    ASSERT_FALSE(calls.empty()) << c.what;
    EXPECT_EQ(calls[0].function, c.function) << c.what;
    EXPECT_EQ(calls[0].key, currentUser) << c.what;
    EXPECT_EQ(calls[0].path, scratch_) << c.what;
    EXPECT_EQ(calls[0].access, c.access) << c.what;
  }

  const uintptr_t localMachine = static_cast<uintptr_t>(static_cast<intptr_t>(static_cast<int32_t>(0x80000002u)));
  calls.clear();
  n.getSubkeysNames(env, jvm.registryKey("Software", static_cast<jint>(0x80000002u)));
  ASSERT_EQ(count("RegOpenKeyExA"), 1);
  EXPECT_EQ(calls[0].key, localMachine);
  EXPECT_EQ(calls[0].key, bits(HKEY_LOCAL_MACHINE));
}

// Results normalised: 1 for a reference or true, 0 for null or false.
struct NativeCase {
  const char* name;
  std::function<int(JNIEnv*, jobject, FakeJvm&)> call;
  int whenUnbound;
  int whenPathTooLong;
};

const NativeCase nativeCases[] = {
    {"getSubkeysNames", [](JNIEnv* e, jobject k, FakeJvm&) { return kelbrin().getSubkeysNames(e, k) != nullptr; }, 0,
     0},
    {"getValuesNames", [](JNIEnv* e, jobject k, FakeJvm&) { return kelbrin().getValuesNames(e, k) != nullptr; }, 0,
     0},
    {"getValue", [](JNIEnv* e, jobject k, FakeJvm& j) { return kelbrin().getValue(e, k, j.string("v")) != nullptr; },
     0, 0},
    {"setValue",
     [](JNIEnv* e, jobject k, FakeJvm& j) { return int(kelbrin().setValue(e, k, j.string("v"), j.string("d"))); }, 0,
     0},
    {"deleteValue", [](JNIEnv* e, jobject k, FakeJvm& j) { return int(kelbrin().deleteValue(e, k, j.string("v"))); },
     0, 0},
    {"create", [](JNIEnv* e, jobject k, FakeJvm&) { return int(kelbrin().create(e, k)); }, 0, 1},
    {"delete", [](JNIEnv* e, jobject k, FakeJvm&) { return int(kelbrin().remove(e, k)); }, 0, 1},
};

TEST_F(RegistryKeyTest, UnboundKeysGiveFailureValuesWithoutARegistryCall) {
  jclass noPath = jvm.defineClass("test/NoPath", {{"hKey", "I"}});
  jclass noRoot = jvm.defineClass("test/NoRoot", {{"path", "Ljava/lang/String;"}});
  jobject withoutPath = jvm.newObject(noPath);
  jvm.setField(withoutPath, "hKey", hkcu);
  jobject withoutRoot = jvm.newObject(noRoot);
  jvm.setField(withoutRoot, "path", s("Software"));

  const struct {
    const char* what;
    jobject key;
    const char* exception;
  } keys[] = {
      {"null path", jvm.registryKey(nullptr, hkcu), ""},
      {"no path field", withoutPath, "java/lang/NoSuchFieldError"},
      {"no hKey field", withoutRoot, "java/lang/NoSuchFieldError"},
  };
  for (const auto& k : keys) {
    for (const NativeCase& c : nativeCases) {
      EXPECT_EQ(c.call(env, k.key, jvm), c.whenUnbound) << c.name << ", " << k.what;
      EXPECT_EQ(jvm.pendingException(), k.exception) << c.name << ", " << k.what;
      jvm.clearException();
    }
  }
  EXPECT_TRUE(calls.empty());
}

TEST_F(RegistryKeyTest, PathsLongerThanTheBufferAreNeverCopiedNorLookedUp) {
  jobject tooLong = jvm.registryKey(std::string(16001, 'p').c_str(), hkcu);
  for (const NativeCase& c : nativeCases) EXPECT_EQ(c.call(env, tooLong, jvm), c.whenPathTooLong) << c.name;
  EXPECT_TRUE(calls.empty());

  // 16000 bytes fit with their terminator and reach the registry whole.
  std::string longest(16000, 'p');
  EXPECT_EQ(n.getValue(env, jvm.registryKey(longest.c_str(), hkcu), s("v")), nullptr);
  ASSERT_EQ(count("RegOpenKeyExA"), 1);
  EXPECT_EQ(calls[0].path, longest);
}

TEST_F(RegistryKeyTest, EnumerationsGiveNullWhenTheJvmFails) {
  for (const char* value : {"one", "two"}) writeRaw(value, REG_SZ, "x");
  const struct {
    Failing function;
    int nth;
  } cases[] = {
      {Failing::FindClass, 1},
      {Failing::NewObjectArray, 1},
      {Failing::NewStringUTF, 1},
      {Failing::NewStringUTF, 2},
  };
  for (const auto& c : cases) {
    jvm.failCall(c.function, c.nth);
    EXPECT_EQ(n.getValuesNames(env, key()), nullptr) << static_cast<int>(c.function) << " " << c.nth;
    EXPECT_FALSE(jvm.pendingException().empty());
    jvm.clearException();
    EXPECT_TRUE(openKeys.empty());
  }
  jvm.failCall(Failing::NewStringUTF);
  EXPECT_EQ(n.getValue(env, key(), s("one")), nullptr);
  jvm.clearException();
}

}  // namespace
