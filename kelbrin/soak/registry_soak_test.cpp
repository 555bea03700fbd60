// Soaks and races of the bridge's natives through the built library, below a
// scratch key in HKEY_CURRENT_USER. Import hooks count every key the library
// opens and closes at the call, from any thread; the fake JVM counts the
// strings taken and not released; the process's handle count, where Wine
// reports it, must come back to where it was.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "fake_jni.h"
#include "import_hook.h"
#include "kelbrin_host.h"

using fake_jni::FakeJvm;

namespace {

const jint hkcu = static_cast<jint>(0x80000001u);
const int kSoakCalls = 100000;
// A fresh fake JVM after this many calls: it keeps every object it made.
const int kCallsPerJvm = 5000;

std::mutex keysMutex;
std::multiset<HKEY> openKeys;
std::atomic<long> opens{0}, closes{0}, strayCloses{0};

void opened(LONG status, HKEY key) {
  if (status != ERROR_SUCCESS) return;
  ++opens;
  std::lock_guard<std::mutex> lock(keysMutex);
  openKeys.insert(key);
}

LONG WINAPI openHook(HKEY key, LPCSTR path, DWORD options, REGSAM access, PHKEY result) {
  LONG status = RegOpenKeyExA(key, path, options, access, result);
  opened(status, *result);
  return status;
}

LONG WINAPI createHook(HKEY key, LPCSTR path, DWORD reserved, LPSTR cls, DWORD options, REGSAM access,
                       LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition) {
  LONG status = RegCreateKeyExA(key, path, reserved, cls, options, access, security, result, disposition);
  opened(status, *result);
  return status;
}

LONG WINAPI closeHook(HKEY key) {
  {
    std::lock_guard<std::mutex> lock(keysMutex);
    auto found = openKeys.find(key);
    if (found == openKeys.end()) {
      ++strayCloses;
      return ERROR_INVALID_HANDLE;
    }
    openKeys.erase(found);
  }
  ++closes;
  return RegCloseKey(key);
}

// Every RegEnumValueA of the calling thread, with its index and result.
struct EnumCall {
  DWORD index;
  LONG status;
};
thread_local std::vector<EnumCall> enumCalls;

LONG WINAPI enumValueHook(HKEY key, DWORD index, LPSTR name, LPDWORD length, LPDWORD reserved, LPDWORD type,
                          LPBYTE data, LPDWORD size) {
  LONG status = RegEnumValueA(key, index, name, length, reserved, type, data, size);
  enumCalls.push_back({index, status});
  return status;
}

// The process's handle count, or nullopt where Wine doesn't report it (some
// versions answer success with a count of 0, which no process has).
std::optional<DWORD> handleCount() {
  DWORD count = 0;
  if (!GetProcessHandleCount(GetCurrentProcess(), &count) || count == 0) return std::nullopt;
  return count;
}

void rawSet(const std::string& path, const char* name, const std::string& data) {
  RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), name, REG_SZ, data.c_str(),
                  static_cast<DWORD>(data.size() + 1));
}

void rawCreate(const std::string& path) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) ==
      ERROR_SUCCESS)
    RegCloseKey(key);
}

// Problems found on other threads, reported by the test's own thread.
class Findings {
 public:
  void add(const std::string& what) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (list_.size() < 20) list_.push_back(what);
    ++count_;
  }
  void expectNone() const {
    EXPECT_EQ(count_, 0);
    for (const std::string& what : list_) ADD_FAILURE() << what;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> list_;
  int count_ = 0;
};

class RegistrySoak : public testing::Test {
 protected:
  static void SetUpTestSuite() { SetErrorMode(SEM_NOGPFAULTERRORBOX); }

  void SetUp() override {
    ASSERT_NE(kelbrinModule(), nullptr);
    const std::pair<const char*, void*> hooked[] = {
        {"RegOpenKeyExA", reinterpret_cast<void*>(openHook)},
        {"RegCreateKeyExA", reinterpret_cast<void*>(createHook)},
        {"RegCloseKey", reinterpret_cast<void*>(closeHook)},
        {"RegEnumValueA", reinterpret_cast<void*>(enumValueHook)},
    };
    for (const auto& [function, hook] : hooked) {
      hooks_.push_back(std::make_unique<ImportHook>(kelbrinModule(), "advapi32.dll", function, hook));
      ASSERT_TRUE(hooks_.back()->installed()) << function;
    }
    scratch_ = "Software\\KelbrinSoak-" + std::to_string(GetCurrentProcessId()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name();
    rawCreate(scratch_);
  }

  void TearDown() override {
    hooks_.clear();
    EXPECT_TRUE(openKeys.empty()) << openKeys.size() << " keys left open";
    EXPECT_EQ(opens.load(), closes.load());
    EXPECT_EQ(strayCloses.load(), 0) << "keys closed that the library did not open";
    RegDeleteTreeA(HKEY_CURRENT_USER, scratch_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, scratch_.c_str());
  }

  const Natives& n = kelbrin();
  std::string scratch_;

 private:
  std::vector<std::unique_ptr<ImportHook>> hooks_;
};

// One call of a native; false when its result is not the documented one.
using Call = std::function<bool(FakeJvm& jvm, JNIEnv* env)>;

std::vector<std::optional<std::string>> names(FakeJvm& jvm, jobjectArray array) {
  return array == nullptr ? std::vector<std::optional<std::string>>{{"<null array>"}} : jvm.strings(array);
}

TEST_F(RegistrySoak, AHundredThousandCallsOfEachNativeLeaveNothingOpen) {
  const std::string child = scratch_ + "\\child";
  const std::string doomed = scratch_ + "\\doomed";
  rawCreate(child);
  rawSet(scratch_, "name", "data");
  const std::string title = "KelbrinSoak-" + std::to_string(GetCurrentProcessId());
  HWND window = CreateWindowExA(0, "STATIC", title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  const jint windowHandle = static_cast<jint>(reinterpret_cast<uintptr_t>(window));
  using Names = std::vector<std::optional<std::string>>;

  const struct {
    const char* native;
    Call call;
  } natives[] = {
      {"getSubkeysNames",
       [&](FakeJvm& jvm, JNIEnv* env) {
         return names(jvm, n.getSubkeysNames(env, jvm.registryKey(scratch_.c_str(), hkcu))) == Names{"child"};
       }},
      {"getValuesNames",
       [&](FakeJvm& jvm, JNIEnv* env) {
         return names(jvm, n.getValuesNames(env, jvm.registryKey(scratch_.c_str(), hkcu))) == Names{"name"};
       }},
      {"getValue",
       [&](FakeJvm& jvm, JNIEnv* env) {
         return jvm.text(n.getValue(env, jvm.registryKey(scratch_.c_str(), hkcu), jvm.string("name"))) == "data";
       }},
      {"setValue",
       [&](FakeJvm& jvm, JNIEnv* env) {
         return n.setValue(env, jvm.registryKey(scratch_.c_str(), hkcu), jvm.string("name"), jvm.string("data"));
       }},
      {"deleteValue",
       [&](FakeJvm& jvm, JNIEnv* env) {
         rawSet(scratch_, "doomed", "x");
         return n.deleteValue(env, jvm.registryKey(scratch_.c_str(), hkcu), jvm.string("doomed")) == JNI_TRUE;
       }},
      {"create",  // false: the key was created or opened
       [&](FakeJvm& jvm, JNIEnv* env) { return !n.create(env, jvm.registryKey(child.c_str(), hkcu)); }},
      {"delete",  // false: the key was deleted
       [&](FakeJvm& jvm, JNIEnv* env) {
         rawCreate(doomed);
         return !n.remove(env, jvm.registryKey(doomed.c_str(), hkcu));
       }},
      {"getHwnd",
       [&](FakeJvm& jvm, JNIEnv* env) { return n.getHwnd(env, nullptr, jvm.string(title.c_str())) == windowHandle; }},
  };

  for (const auto& native : natives) {
    {
      FakeJvm warmUp;
      ASSERT_TRUE(native.call(warmUp, warmUp.env())) << native.native;
    }
    const std::optional<DWORD> handlesBefore = handleCount();
    const DWORD start = GetTickCount();
    int wrong = 0;
    for (int done = 0; done < kSoakCalls; done += kCallsPerJvm) {
      FakeJvm jvm;
      for (int i = 0; i < kCallsPerJvm; ++i) wrong += native.call(jvm, jvm.env()) ? 0 : 1;
      ASSERT_EQ(jvm.unreleasedStrings(), 0) << native.native;
    }
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(wrong, 0) << native.native;
    EXPECT_TRUE(openKeys.empty()) << native.native << ": " << openKeys.size() << " keys left open";
    EXPECT_EQ(opens.load(), closes.load()) << native.native;
    if (handlesBefore) {
      EXPECT_EQ(handleCount(), handlesBefore) << native.native;
    }
    std::printf("%-16s %d calls in %lu ms, handles %s, keys opened %ld closed %ld\n", native.native, kSoakCalls,
                static_cast<unsigned long>(elapsed),
                handlesBefore ? (std::to_string(*handlesBefore) + " -> " + std::to_string(*handleCount())).c_str()
                              : "not reported",
                opens.load(), closes.load());
  }
  DestroyWindow(window);
}

TEST_F(RegistrySoak, EightThreadsEachOnItsOwnKey) {
  const int kRounds = 1500;
  Findings findings;
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&, t] {
      const std::string path = scratch_ + "\\thread-" + std::to_string(t);
      const std::string below = path + "\\below";
      for (int done = 0; done < kRounds; done += 500) {
        FakeJvm jvm;
        JNIEnv* env = jvm.env();
        for (int r = done; r < done + 500; ++r) {
          const std::string name = "value-" + std::to_string(r % 7);
          const std::string data = "data of thread " + std::to_string(t) + " round " + std::to_string(r);
          auto key = [&] { return jvm.registryKey(path.c_str(), hkcu); };
          auto fail = [&](const char* what) { findings.add("thread " + std::to_string(t) + " round " +
                                                           std::to_string(r) + ": " + what); };
          if (n.create(env, jvm.registryKey(below.c_str(), hkcu))) fail("create");
          if (!n.setValue(env, key(), jvm.string(name.c_str()), jvm.string(data.c_str()))) fail("setValue");
          if (jvm.text(n.getValue(env, key(), jvm.string(name.c_str()))) != data) fail("getValue");
          auto values = names(jvm, n.getValuesNames(env, key()));
          if (values.size() != 1 || values[0] != name) fail("getValuesNames");
          if (names(jvm, n.getSubkeysNames(env, key())) != std::vector<std::optional<std::string>>{"below"})
            fail("getSubkeysNames");
          if (!n.deleteValue(env, key(), jvm.string(name.c_str()))) fail("deleteValue");
          if (n.remove(env, jvm.registryKey(below.c_str(), hkcu))) fail("delete");
        }
        if (jvm.unreleasedStrings() != 0) findings.add("strings left unreleased");
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  findings.expectNone();
}

// Eight threads enumerate one key's values while another thread adds and
// removes values. Each array has the length of the count pass, and an
// element is null exactly where the fill pass could not read that index.
TEST_F(RegistrySoak, EightThreadsEnumerateWhileValuesComeAndGo) {
  const int kStable = 16, kChanging = 32, kRounds = 1500;
  std::set<std::string> known;
  for (int i = 0; i < kStable; ++i) {
    known.insert("stable-" + std::to_string(i));
    rawSet(scratch_, ("stable-" + std::to_string(i)).c_str(), "s");
  }
  for (int i = 0; i < kChanging; ++i) known.insert("changing-" + std::to_string(i));

  std::atomic<bool> stop{false};
  std::atomic<long> changes{0}, nulls{0};
  Findings findings;
  std::thread changer([&] {
    for (int round = 0; !stop; ++round) {
      FakeJvm jvm;
      JNIEnv* env = jvm.env();
      for (int i = 0; i < 200 && !stop; ++i, ++changes) {
        const std::string name = "changing-" + std::to_string((round * 7 + i) % kChanging);
        jobject key = jvm.registryKey(scratch_.c_str(), hkcu);
        if (i % 2 == 0) {
          if (!n.setValue(env, key, jvm.string(name.c_str()), jvm.string("c"))) findings.add("setValue failed");
        } else {
          n.deleteValue(env, key, jvm.string(name.c_str()));  // false when it was gone already
        }
      }
      if (jvm.unreleasedStrings() != 0) findings.add("changer: strings left unreleased");
    }
  });

  std::vector<std::thread> readers;
  for (int t = 0; t < 8; ++t) {
    readers.emplace_back([&, t] {
      for (int done = 0; done < kRounds; done += 500) {
        FakeJvm jvm;
        for (int r = 0; r < 500; ++r) {
          enumCalls.clear();
          jobjectArray array = n.getValuesNames(jvm.env(), jvm.registryKey(scratch_.c_str(), hkcu));
          if (array == nullptr) {
            findings.add("reader " + std::to_string(t) + ": null array");
            continue;
          }
          const auto values = jvm.strings(array);
          // The count pass reads 0, 1, ... up to the first failure.
          std::size_t count = 0;
          while (count < enumCalls.size() && enumCalls[count].index == count &&
                 enumCalls[count].status == ERROR_SUCCESS)
            ++count;
          if (values.size() != count || enumCalls.size() != 2 * count + 1) {
            findings.add("reader " + std::to_string(t) + ": " + std::to_string(values.size()) +
                         " names after a count of " + std::to_string(count));
            continue;
          }
          for (std::size_t i = 0; i < count; ++i) {
            const EnumCall& fill = enumCalls[count + 1 + i];
            if (fill.index != i || values[i].has_value() != (fill.status == ERROR_SUCCESS)) {
              findings.add("reader " + std::to_string(t) + ": element " + std::to_string(i) +
                           " doesn't follow its fill-pass read");
            } else if (!values[i]) {
              ++nulls;
            } else if (known.count(*values[i]) == 0) {
              findings.add("reader " + std::to_string(t) + ": unknown name " + *values[i]);
            }
          }
        }
        if (jvm.unreleasedStrings() != 0) findings.add("reader: strings left unreleased");
      }
    });
  }
  for (std::thread& reader : readers) reader.join();
  stop = true;
  changer.join();
  findings.expectNone();
  std::printf("%d enumerations against %ld changes; %ld names were gone by the fill pass\n", 8 * kRounds,
              changes.load(), nulls.load());
}

}  // namespace
