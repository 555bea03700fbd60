// The window natives, called through the library's exports on real windows.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <regex>
#include <string>

#include "fake_jni.h"
#include "import_hook.h"
#include "kelbrin_host.h"

using fake_jni::FakeJvm;
using fake_jni::Failing;

namespace {

jint toJava(HWND window) { return static_cast<jint>(reinterpret_cast<uintptr_t>(window)); }

// A top-level window of our own, destroyed with the object.
class TestWindow {
 public:
  TestWindow(const std::string& title, DWORD style = WS_OVERLAPPEDWINDOW) {
    static ATOM cls = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "KelbrinTestWindow";
      return RegisterClassA(&wc);
    }();
    window_ = CreateWindowExA(0, MAKEINTATOM(cls), title.c_str(), style, 100, 120, 300, 200, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
  }
  ~TestWindow() { DestroyWindow(window_); }
  HWND handle() const { return window_; }
  std::string title() const {
    char text[512] = "";
    GetWindowTextA(window_, text, sizeof text);
    return text;
  }

 private:
  HWND window_;
};

std::string unique(const char* what) {
  return "KelbrinTest-" + std::to_string(GetCurrentProcessId()) + "-" + what;
}

class WindowTest : public testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(jvm.unreleasedStrings(), 0); }

  FakeJvm jvm;
  JNIEnv* env = jvm.env();
  const Natives& n = kelbrin();
  jclass cls = nullptr;  // the natives are static; they don't use their class
};

TEST_F(WindowTest, GetHwndFindsWindowsByTheirWholeTitle) {
  std::string prefix = unique("long-") + std::string(200, 'x');
  TestWindow shortTitle(unique("short"));
  TestWindow longest(unique("127-") + std::string(127 - unique("127-").size(), 'y'));
  TestWindow longA(prefix + "A");
  TestWindow longB(prefix + "B");
  ASSERT_EQ(longest.title().size(), 127u);
  ASSERT_EQ(longB.title(), prefix + "B");

  const struct {
    std::string title;
    HWND expected;
  } cases[] = {
      {unique("short"), shortTitle.handle()},
      {longest.title(), longest.handle()},
      {prefix + "B", longB.handle()},  // the same first 200 bytes as longA
      {prefix + "A", longA.handle()},
      {unique("no such window"), nullptr},
      {prefix, nullptr},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(n.getHwnd(env, cls, jvm.string(c.title.c_str())), toJava(c.expected)) << c.title;
  }
}

HWND foundWindow;
int findCalls;
HWND WINAPI findHook(LPCSTR, LPCSTR) {
  ++findCalls;
  return foundWindow;
}

TEST_F(WindowTest, GetHwndGivesTheLow32BitsOfTheHandle) {
  ImportHook hook(kelbrinModule(), "user32.dll", "FindWindowA", reinterpret_cast<void*>(findHook));
  ASSERT_TRUE(hook.installed());
  const struct {
    uintptr_t handle;
    jint expected;
  } cases[] = {
      {0xA0B2C, 658220},
      {0x80001034, -2147479500},
#ifdef _WIN64
      {0x12345678000A0B2Cull, 658220},
#endif
      {0, 0},
  };
  for (const auto& c : cases) {
    foundWindow = reinterpret_cast<HWND>(c.handle);
    EXPECT_EQ(n.getHwnd(env, cls, jvm.string("any")), c.expected) << std::hex << c.handle;
  }

  // No title, or none the JVM can give: 0 without a lookup.
  findCalls = 0;
  EXPECT_EQ(n.getHwnd(env, cls, nullptr), 0);
  jvm.failCall(Failing::GetStringUTFChars);
  EXPECT_EQ(n.getHwnd(env, cls, jvm.string("any")), 0);
  EXPECT_EQ(findCalls, 0);
}

struct PositionCall {
  uintptr_t window;
  uintptr_t insertAfter;
  int x, y, cx, cy;
  UINT flags;
};
PositionCall lastPosition;
BOOL WINAPI setWindowPosHook(HWND window, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  lastPosition = {reinterpret_cast<uintptr_t>(window), reinterpret_cast<uintptr_t>(insertAfter), x, y, cx, cy, flags};
  return 7;
}

TEST_F(WindowTest, TopmostWidensTheHandleWithItsSignAndPassesTheResultOn) {
  // Wine looks at the low 32 bits of a window handle only, so the widening is
  // checked at the call.
  ImportHook hook(kelbrinModule(), "user32.dll", "SetWindowPos", reinterpret_cast<void*>(setWindowPosHook));
  ASSERT_TRUE(hook.installed());
  const uintptr_t widened = static_cast<uintptr_t>(static_cast<intptr_t>(-2147479500));
#ifdef _WIN64
  ASSERT_EQ(widened, 0xFFFFFFFF80001034ull);
#endif
  const struct {
    const char* what;
    decltype(n.setTopmost) native;
    HWND insertAfter;
  } cases[] = {{"setTopmost", n.setTopmost, HWND_TOPMOST}, {"setNotTopmost", n.setNotTopmost, HWND_NOTOPMOST}};
  for (const auto& c : cases) {
    lastPosition = {};
    EXPECT_EQ(c.native(env, cls, -2147479500), 7) << c.what;
    EXPECT_EQ(lastPosition.window, widened) << c.what;
    EXPECT_EQ(lastPosition.insertAfter, reinterpret_cast<uintptr_t>(c.insertAfter)) << c.what;
    EXPECT_EQ(lastPosition.x | lastPosition.y | lastPosition.cx | lastPosition.cy, 0) << c.what;
    EXPECT_EQ(lastPosition.flags, static_cast<UINT>(SWP_NOSIZE | SWP_NOMOVE)) << c.what;
  }
}

TEST_F(WindowTest, TopmostMovesAWindowInAndOutOfTheBandKeepingItsPlace) {
  TestWindow window(unique("topmost"));
  RECT before, after;
  GetWindowRect(window.handle(), &before);
  auto topmost = [&] { return (GetWindowLongA(window.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };

  EXPECT_NE(n.setTopmost(env, cls, toJava(window.handle())), 0);
  EXPECT_TRUE(topmost());
  EXPECT_NE(n.setNotTopmost(env, cls, toJava(window.handle())), 0);
  EXPECT_FALSE(topmost());
  GetWindowRect(window.handle(), &after);
  EXPECT_TRUE(EqualRect(&before, &after));

  TestWindow gone(unique("gone"));
  jint goneHandle = toJava(gone.handle());
  DestroyWindow(gone.handle());
  EXPECT_EQ(n.setTopmost(env, cls, goneHandle), 0);
}

TEST_F(WindowTest, SetDisableMaximizeClearsTheMaximizeBoxThroughATemporaryTitle) {
  const std::regex temporaryTitle("W:[A-P]{8}A{10}");
  const struct {
    const char* title;  // the frame's title: null or its window's title
    DWORD style;
  } cases[] = {
      {"frame", WS_OVERLAPPEDWINDOW},
      {nullptr, WS_OVERLAPPEDWINDOW},
      {"frame without box", WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX},
  };
  for (const auto& c : cases) {
    std::string what = c.title ? c.title : "null title";
    TestWindow window(c.title ? unique(c.title) : "", c.style);
    LONG style = GetWindowLongA(window.handle(), GWL_STYLE);
    HWND handle = window.handle();
    jobject frame = jvm.frame(c.title ? unique(c.title).c_str() : nullptr,
                              [handle](const char* title) { SetWindowTextA(handle, title ? title : ""); });
    jobject oldTitle = jvm.frameTitle(frame);

    EXPECT_TRUE(n.setDisableMaximize(env, cls, frame)) << what;
    EXPECT_EQ(GetWindowLongA(window.handle(), GWL_STYLE), style & ~WS_MAXIMIZEBOX) << what;
    auto titles = jvm.titlesSet(frame);
    ASSERT_EQ(titles.size(), 2u) << what;
    ASSERT_TRUE(titles[0].has_value());
    EXPECT_TRUE(std::regex_match(*titles[0], temporaryTitle)) << *titles[0];
    EXPECT_EQ(titles[1], jvm.text(oldTitle)) << what;
    EXPECT_EQ(jvm.frameTitle(frame), oldTitle) << what;  // the very same object
    EXPECT_EQ(window.title(), c.title ? unique(c.title) : "") << what;
  }
}

TEST_F(WindowTest, SetDisableMaximizeGivesFalseWhenTheFrameCannotBeFound) {
  // A frame whose native window never takes the title: looked up in vain,
  // then retitled as before.
  jobject windowless = jvm.frame("windowless");
  EXPECT_FALSE(n.setDisableMaximize(env, cls, windowless));
  ASSERT_EQ(jvm.titlesSet(windowless).size(), 2u);
  EXPECT_EQ(jvm.titlesSet(windowless)[1], "windowless");

  jobject nothing = jvm.newObject(jvm.defineClass("test/NoTitles"));
  jobject onlyGetter = jvm.newObject(jvm.defineClass(
      "test/OnlyGetTitle", {}, {{"getTitle", "()Ljava/lang/String;", [](jobject, const std::vector<jvalue>&) {
                                   ADD_FAILURE() << "getTitle called";
                                   return jobject{};
                                 }}}));
  for (jobject frame : {nothing, onlyGetter}) {
    EXPECT_FALSE(n.setDisableMaximize(env, cls, frame));
    EXPECT_EQ(jvm.pendingException(), "java/lang/NoSuchMethodError");
    jvm.clearException();
  }

  EXPECT_FALSE(n.setDisableMaximize(env, cls, nullptr));

  // The JVM can't make the temporary title, or can't find setTitle: the
  // frame is left alone.
  const struct {
    Failing function;
    int nth;
  } failures[] = {{Failing::NewStringUTF, 1}, {Failing::GetMethodID, 2}};
  for (const auto& f : failures) {
    jobject frame = jvm.frame("untouched");
    jvm.failCall(f.function, f.nth);
    EXPECT_FALSE(n.setDisableMaximize(env, cls, frame));
    EXPECT_TRUE(jvm.titlesSet(frame).empty());
    jvm.clearException();
  }
}

}  // namespace
