// Win32Window over real (hidden) windows and messages; the monitor resolution
// comes from the recording fake of the embedding library.
#include "window/win32_window.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/fake_embedding.h"
#include "tests/support/fake_embedding_windows.h"
#include "tests/support/window_test_support.h"

namespace {

// Records its hooks and the messages it handles; can refuse creation.
class RecordingWindow : public Win32Window {
 public:
  int created = 0;
  int destroying = 0;
  bool accept_creation = true;
  bool refuse_wm_create = false;
  std::vector<UINT> messages;
  std::wstring text_after_destroy;

 protected:
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) override {
    messages.push_back(message);
    if (refuse_wm_create && message == WM_CREATE) {
      return -1;
    }
    if (message == WM_NCDESTROY) {
      // The base must answer with the message's own window, the object's being gone.
      wchar_t text[64] = {};
      Win32Window::HandleMessage(hwnd, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
      text_after_destroy = text;
    }
    return Win32Window::HandleMessage(hwnd, message, wparam, lparam);
  }
  bool OnWindowCreated() override {
    ++created;
    return accept_creation;
  }
  void OnWindowDestroying() override { ++destroying; }
};

class Win32WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_embedding::Reset();
    DiscardQuitMessages();
  }
  void TearDown() override { DiscardQuitMessages(); }
};

TEST(ScaleToPixels, TruncatesTowardZeroAndClampsToTheRange) {
  const struct {
    int32_t value;
    double factor;
    int32_t pixels;
  } scalings[] = {
      {100, 1.0, 100},
      {320, 1.5, 480},
      {1280, 1.25, 1600},
      {100, 110 / 96.0, 114},
      {1280, 110 / 96.0, 1466},
      {-128, 1.5, -192},
      {-100, 110 / 96.0, -114},
      {7, 0.0, 0},
      {1280, 5e7, std::numeric_limits<int32_t>::max()},
      {-1280, 5e7, std::numeric_limits<int32_t>::min()},
  };
  for (const auto& scaling : scalings) {
    SCOPED_TRACE(std::to_string(scaling.value) + " * " + std::to_string(scaling.factor));
    EXPECT_EQ(ScaleToPixels(scaling.value, scaling.factor), scaling.pixels);
  }
}

TEST_F(Win32WindowTest, CreatesAHiddenWindowScaledToTheMonitorNearestTheOrigin) {
  // Small enough for the test display: creation clamps a window to the screen.
  const struct {
    UINT dpi;
    RECT expected;  // left, top, right, bottom in pixels
  } resolutions[] = {
      {96, {40, 100, 40 + 400, 100 + 300}},
      {120, {50, 125, 50 + 500, 125 + 375}},
      {144, {60, 150, 60 + 600, 150 + 450}},
      {110, {45, 114, 45 + 458, 114 + 343}},
  };
  for (const auto& resolution : resolutions) {
    SCOPED_TRACE("dpi " + std::to_string(resolution.dpi));
    fake_embedding::Reset();
    fake_embedding::SetMonitorDpi(resolution.dpi);
    RecordingWindow window;
    ASSERT_TRUE(window.CreateNativeWindow(L"kovi", {40, 100}, {400, 300}));
    HWND hwnd = window.NativeHandle();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(WindowBounds(hwnd), resolution.expected);
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)) & WS_OVERLAPPEDWINDOW,
              static_cast<DWORD>(WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(WindowText(hwnd), L"kovi");
    EXPECT_EQ(window.created, 1);

    const auto dpi_queries = fake_embedding::CallsTo("FlutterDesktopGetDpiForMonitor");
    ASSERT_EQ(dpi_queries.size(), 1u);
    EXPECT_EQ(dpi_queries[0].handle, MonitorFromPoint(POINT{40, 100}, MONITOR_DEFAULTTONEAREST));
  }
}

TEST_F(Win32WindowTest, AnOriginOnNoMonitorAsksForTheNearestOne) {
  RecordingWindow window;
  ASSERT_TRUE(window.CreateNativeWindow(L"far", {-100000, -100000}, {200, 100}));
  const auto dpi_queries = fake_embedding::CallsTo("FlutterDesktopGetDpiForMonitor");
  ASSERT_EQ(dpi_queries.size(), 1u);
  EXPECT_NE(dpi_queries[0].handle, nullptr);
  EXPECT_EQ(dpi_queries[0].handle, MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

TEST_F(Win32WindowTest, TheClassLivesUntilTheLastWindowObjectDies) {
  ASSERT_FALSE(WindowClassRegistered());
  auto first = std::make_unique<RecordingWindow>();
  {
    RecordingWindow second;
    ASSERT_TRUE(first->CreateNativeWindow(L"one", {0, 0}, {200, 100}));
    ASSERT_TRUE(second.CreateNativeWindow(L"two", {0, 0}, {200, 100}));
    EXPECT_TRUE(WindowClassRegistered());
    WNDCLASSW window_class = WindowClassInfo();
    EXPECT_EQ(window_class.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_NE(window_class.hIcon, nullptr);  // icon group 101 of the linked resources
    EXPECT_EQ(window_class.hCursor, LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(window_class.hbrBackground, nullptr);

    second.DestroyNativeWindow();
    EXPECT_TRUE(WindowClassRegistered()) << "two objects are still alive";
  }
  EXPECT_TRUE(WindowClassRegistered()) << "the first object is still alive";
  first.reset();
  EXPECT_FALSE(WindowClassRegistered());

  RecordingWindow again;
  ASSERT_TRUE(again.CreateNativeWindow(L"again", {0, 0}, {200, 100}));
  EXPECT_TRUE(WindowClassRegistered());
}

TEST_F(Win32WindowTest, CreatingAgainDestroysTheOldWindowAndPostsQuitOnlyWhenAsked) {
  for (bool quit_when_closed : {false, true}) {
    SCOPED_TRACE(quit_when_closed ? "quit when closed" : "no quit");
    RecordingWindow window;
    window.SetQuitWhenClosed(quit_when_closed);
    ASSERT_TRUE(window.CreateNativeWindow(L"old", {0, 0}, {200, 100}));
    HWND old_window = window.NativeHandle();
    window.destroying = 0;
    ASSERT_TRUE(window.CreateNativeWindow(L"new", {0, 0}, {200, 100}));
    EXPECT_FALSE(IsWindow(old_window));
    EXPECT_NE(window.NativeHandle(), old_window);
    EXPECT_EQ(window.destroying, 2) << "from DestroyNativeWindow and from WM_DESTROY";
    EXPECT_EQ(TakeQuitMessage(), quit_when_closed);
    window.SetQuitWhenClosed(false);
  }
}

TEST_F(Win32WindowTest, ClosingPostsQuitOnlyWithQuitOnClose) {
  for (bool quit_when_closed : {false, true}) {
    SCOPED_TRACE(quit_when_closed ? "quit when closed" : "no quit");
    RecordingWindow window;
    ASSERT_TRUE(window.CreateNativeWindow(L"kovi", {0, 0}, {200, 100}));
    window.SetQuitWhenClosed(quit_when_closed);
    window.destroying = 0;
    HWND hwnd = window.NativeHandle();
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(window.NativeHandle(), nullptr);
    EXPECT_EQ(window.destroying, 1);
    EXPECT_EQ(TakeQuitMessage(), quit_when_closed);
  }
}

TEST_F(Win32WindowTest, MessagesAfterDestroyReachTheDefaultProcedureWithTheirOwnWindow) {
  RecordingWindow window;
  ASSERT_TRUE(window.CreateNativeWindow(L"still named", {0, 0}, {200, 100}));
  SendMessageW(window.NativeHandle(), WM_CLOSE, 0, 0);
  ASSERT_FALSE(window.messages.empty());
  EXPECT_EQ(window.messages.back(), static_cast<UINT>(WM_NCDESTROY));
  EXPECT_EQ(window.text_after_destroy, L"still named");
}

TEST_F(Win32WindowTest, FailedCreationRunsNeitherThemeNorHook) {
  ThemeRecorder theme;
  RecordingWindow window;
  window.refuse_wm_create = true;
  EXPECT_FALSE(window.CreateNativeWindow(L"refused", {0, 0}, {200, 100}));
  EXPECT_EQ(window.NativeHandle(), nullptr) << "no handle of a window that does not exist";
  EXPECT_EQ(window.created, 0);
  EXPECT_TRUE(theme.Calls().empty());
}

TEST_F(Win32WindowTest, RefusedHookFailsCreationButKeepsTheWindowUntilDestruction) {
  HWND hwnd = nullptr;
  {
    RecordingWindow window;
    window.accept_creation = false;
    EXPECT_FALSE(window.CreateNativeWindow(L"kept", {0, 0}, {200, 100}));
    hwnd = window.NativeHandle();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(IsWindow(hwnd));
  }
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(Win32WindowTest, ContentFillsTheClientAreaFollowsSizeAndTakesFocusOnActivation) {
  RecordingWindow window;
  ASSERT_TRUE(window.CreateNativeWindow(L"kovi", {0, 0}, {400, 300}));
  HWND hwnd = window.NativeHandle();

  // Without content, size and activation change nothing and answer 0.
  EXPECT_EQ(SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(10, 10)), 0);
  EXPECT_EQ(SendMessageW(hwnd, WM_ACTIVATE, WA_ACTIVE, 0), 0);

  ParkedChild content;
  window.AttachContent(content.hwnd());
  EXPECT_EQ(GetParent(content.hwnd()), hwnd);
  EXPECT_EQ(ChildBounds(content.hwnd()), window.ClientArea());
  EXPECT_EQ(GetFocus(), content.hwnd());

  SetWindowPos(hwnd, nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT resized = window.ClientArea();
  EXPECT_GT(resized.right, 400 - 40);
  EXPECT_EQ(ChildBounds(content.hwnd()), resized);

  SetFocus(hwnd);
  ASSERT_EQ(GetFocus(), hwnd);
  EXPECT_EQ(SendMessageW(hwnd, WM_ACTIVATE, WA_ACTIVE, 0), 0);
  EXPECT_EQ(GetFocus(), content.hwnd());
}

TEST_F(Win32WindowTest, DpiChangeAppliesExactlyTheSuggestedRectangle) {
  RecordingWindow window;
  ASSERT_TRUE(window.CreateNativeWindow(L"kovi", {0, 0}, {400, 300}));
  HWND hwnd = window.NativeHandle();
  RECT suggested{37, 41, 37 + 611, 41 + 377};
  EXPECT_EQ(
      SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested)),
      0);
  EXPECT_EQ(WindowBounds(hwnd), suggested);
}

TEST_F(Win32WindowTest, TitleBarFollowsTheAppThemeAtCreationAndOnColourisationChange) {
  ScopedLightThemeValue theme_value;
  ThemeRecorder theme;
  const struct {
    const char* name;
    std::optional<DWORD> light_theme;  // none: the value is missing
    std::optional<BOOL> dark_mode;     // none: no attribute call
  } cases[] = {
      {"dark", 0, TRUE},
      {"light", 1, FALSE},
      {"any other number is light", 2, FALSE},
      {"missing", std::nullopt, std::nullopt},
  };
  for (const auto& theme_case : cases) {
    SCOPED_TRACE(theme_case.name);
    theme_value.Set(theme_case.light_theme);
    theme.Clear();
    RecordingWindow window;
    ASSERT_TRUE(window.CreateNativeWindow(L"kovi", {0, 0}, {200, 100}));
    HWND hwnd = window.NativeHandle();
    EXPECT_EQ(SendMessageW(hwnd, WM_DWMCOLORIZATIONCOLORCHANGED, 0, 0), 0);

    const std::vector<AttributeCall> calls = theme.Calls();
    if (!theme_case.dark_mode) {
      EXPECT_TRUE(calls.empty());
      continue;
    }
    ASSERT_EQ(calls.size(), 2u) << "once at creation, once on the change";
    for (const AttributeCall& call : calls) {
      EXPECT_EQ(call.window, hwnd);
      EXPECT_EQ(call.attribute, 20u);
      EXPECT_EQ(call.size, 4u);
      EXPECT_EQ(call.value, *theme_case.dark_mode);
    }
  }

  theme_value.SetText(L"0");
  theme.Clear();
  RecordingWindow window;
  ASSERT_TRUE(window.CreateNativeWindow(L"kovi", {0, 0}, {200, 100}));
  EXPECT_TRUE(theme.Calls().empty()) << "a value that is not a 32-bit number is ignored";
}

}  // namespace
