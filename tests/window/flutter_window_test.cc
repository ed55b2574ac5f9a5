// FlutterWindow over the recording fake of the embedding library: a real hidden
// top-level window, a real child window as the library's view, the real capture
// object, and the plugin stand-ins' registrations noted in the fake's call log.
#include "window/flutter_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "capture/capture_system_api.h"
#include "capture/raw_mouse_capture.h"
#include "tests/support/capture_channels.h"
#include "tests/support/failure_lines.h"
#include "tests/support/fake_embedding.h"
#include "tests/support/fake_embedding_windows.h"
#include "tests/support/plugin_registration_notes.h"
#include "tests/support/stderr_capture.h"
#include "tests/support/window_test_support.h"
#include "tests/support/wire_bytes.h"

namespace {

using kovi_test::kControlChannel;
using kovi_test::kEventChannel;
using kovi_test::MethodCallBytes;

constexpr const char* kWindowProc = "FlutterDesktopViewControllerHandleTopLevelWindowProc";

// Stands in for the pointer settings the capture switches off and restores:
// they are the whole session's, and tests run side by side in it.
BOOL WINAPI KeepPointerSettings(UINT action, UINT /*parameter*/, void* buffer, UINT /*flags*/) {
  if (action == SPI_GETMOUSE) {
    const int settings[3] = {6, 10, 1};
    std::copy(settings, settings + 3, static_cast<int*>(buffer));
  }
  return TRUE;
}

CaptureSystemApi SystemWithoutPointerChanges() {
  CaptureSystemApi api = Win32CaptureSystemApi();
  api.system_parameters_info = &KeepPointerSettings;
  return api;
}

// Position of the first log entry named `name` at or after `from`; the log size
// when there is none.
size_t Find(const std::vector<std::string>& names, const std::string& name, size_t from = 0) {
  auto found = std::find(names.begin() + static_cast<std::ptrdiff_t>(from), names.end(), name);
  return static_cast<size_t>(found - names.begin());
}

// The window-procedure hook calls that carried the message.
size_t OfferedToLibrary(UINT message) {
  size_t count = 0;
  for (const fake_embedding::Call& call : fake_embedding::CallsTo(kWindowProc)) {
    count += call.numbers.at(0) == static_cast<int64_t>(message) ? 1 : 0;
  }
  return count;
}

class FlutterWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    system_.emplace(SystemWithoutPointerChanges());
    fake_embedding::Reset();
    fake_embedding::SetViewHwnd(view_.hwnd());
    DiscardQuitMessages();
  }
  void TearDown() override {
    DiscardQuitMessages();
    system_.reset();
  }

  // Starts a capture with a listener, through the two channels as the Dart
  // side would.
  static void ListenAndStartCapture() {
    fake_embedding::DeliverMessage(kEventChannel, MethodCallBytes("listen"));
    fake_embedding::DeliverMessage(kControlChannel, MethodCallBytes("startCapture"));
  }

  std::optional<ScopedCaptureSystemApi> system_;
  PluginRegistrationNotes plugin_notes_;
  ParkedChild view_;
  EngineProject project_{L"data"};
};

TEST_F(FlutterWindowTest, CreationBringsUpViewPluginsContentCaptureAndFrameInOrder) {
  FlutterWindow window(project_);
  ASSERT_TRUE(window.CreateNativeWindow(L"kovi", {0, 0}, {400, 300}));
  HWND hwnd = window.NativeHandle();
  const RECT client = window.ClientArea();

  const auto creations = fake_embedding::CallsTo("FlutterDesktopViewControllerCreate");
  ASSERT_EQ(creations.size(), 1u);
  EXPECT_EQ(creations[0].numbers,
            (std::vector<int64_t>{client.right - client.left, client.bottom - client.top}));

  const std::vector<std::string> names = fake_embedding::CallNames();
  const size_t controller = Find(names, "FlutterDesktopViewControllerCreate");
  const size_t first_plugin = Find(names, "registered ScreenRetrieverPlugin", controller);
  const size_t second_plugin = Find(names, "registered UrlLauncherWindows", first_plugin);
  const size_t third_plugin = Find(names, "registered WindowManagerPlugin", second_plugin);
  const size_t view_window = Find(names, "FlutterDesktopViewGetHWND", third_plugin);
  const size_t channels = Find(names, "FlutterDesktopMessengerSetCallback", view_window);
  const size_t next_frame = Find(names, "FlutterDesktopEngineSetNextFrameCallback", channels);
  const size_t redraw = Find(names, "FlutterDesktopViewControllerForceRedraw", next_frame);
  EXPECT_LT(redraw, names.size()) << "each step after the one before it";

  EXPECT_EQ(GetParent(view_.hwnd()), hwnd);
  EXPECT_EQ(ChildBounds(view_.hwnd()), client);
  EXPECT_EQ(GetFocus(), view_.hwnd());
  EXPECT_TRUE(fake_embedding::HasChannelCallback(kControlChannel));
  EXPECT_TRUE(fake_embedding::HasChannelCallback(kEventChannel));

  // The next-frame callback does nothing: the host never shows the window.
  EXPECT_TRUE(fake_embedding::RunNextFrameCallback());
  EXPECT_FALSE(IsWindowVisible(hwnd));
}

TEST_F(FlutterWindowTest, TheCaptureTargetsTheTopLevelWindow) {
  FlutterWindow window(project_);
  ASSERT_TRUE(window.CreateNativeWindow(L"kovi", {0, 0}, {400, 300}));
  ListenAndStartCapture();

  RAWINPUTDEVICE devices[4] = {};
  UINT count = 4;
  ASSERT_EQ(GetRegisteredRawInputDevices(devices, &count, sizeof(RAWINPUTDEVICE)), 1u);
  EXPECT_EQ(devices[0].hwndTarget, window.NativeHandle());
  EXPECT_NE(devices[0].hwndTarget, view_.hwnd());
}

TEST_F(FlutterWindowTest, AMissingViewOrEngineFailsCreationAndLeavesNoFlutterBehind) {
  for (bool engine_fails : {false, true}) {
    SCOPED_TRACE(engine_fails ? "no engine" : "no view");
    fake_embedding::Reset();
    fake_embedding::SetViewHwnd(view_.hwnd());
    fake_embedding::SetEngineCreateFails(engine_fails);
    fake_embedding::SetViewControllerCreateFails(true);
    HWND hwnd = nullptr;
    {
      StderrCapture errors;
      FlutterWindow window(project_);
      EXPECT_FALSE(window.CreateNativeWindow(L"kovi", {0, 0}, {400, 300}));
      hwnd = window.NativeHandle();
      EXPECT_TRUE(IsWindow(hwnd)) << "the hidden window stays until destruction";
      EXPECT_EQ(errors.Lines(), kovi_test::Lines{kovi_test::kViewControllerFailedLine});
    }
    EXPECT_FALSE(IsWindow(hwnd));
    for (const char* function :
         {"FlutterDesktopEngineGetPluginRegistrar", "registered ScreenRetrieverPlugin",
          "FlutterDesktopViewGetHWND", "FlutterDesktopMessengerSetCallback",
          "FlutterDesktopViewControllerForceRedraw", "FlutterDesktopViewControllerDestroy"}) {
      EXPECT_EQ(fake_embedding::CountCalls(function), 0u) << function;
    }
    EXPECT_NE(GetParent(view_.hwnd()), hwnd);
  }
}

TEST_F(FlutterWindowTest, TheCaptureSeesMessagesFirstAndConsumesOnlyItsOwn) {
  FlutterWindow window(project_);
  ASSERT_TRUE(window.CreateNativeWindow(L"kovi", {0, 0}, {400, 300}));
  HWND hwnd = window.NativeHandle();

  // Idle: raw input goes on to the view controller.
  SendMessageW(hwnd, WM_INPUT, RIM_INPUT, 0);
  EXPECT_EQ(OfferedToLibrary(WM_INPUT), 1u);

  ListenAndStartCapture();
  SendMessageW(hwnd, WM_INPUT, RIM_INPUT, 0);
  EXPECT_EQ(OfferedToLibrary(WM_INPUT), 1u) << "consumed by the capture while it runs";

  SendMessageW(hwnd, WM_TIMER, RawMouseCapture::kCaptureTimerId, 0);
  EXPECT_EQ(OfferedToLibrary(WM_TIMER), 0u) << "the capture's own timer";
  SendMessageW(hwnd, WM_TIMER, RawMouseCapture::kCaptureTimerId + 1, 0);
  EXPECT_EQ(OfferedToLibrary(WM_TIMER), 1u) << "any other timer";

  fake_embedding::DeliverMessage(kControlChannel, MethodCallBytes("stopCapture"));
  SendMessageW(hwnd, WM_INPUT, RIM_INPUT, 0);
  EXPECT_EQ(OfferedToLibrary(WM_INPUT), 2u);
}

TEST_F(FlutterWindowTest, AnAnswerOfTheViewControllerIsFinal) {
  FlutterWindow window(project_);
  ASSERT_TRUE(window.CreateNativeWindow(L"kovi", {0, 0}, {400, 300}));
  HWND hwnd = window.NativeHandle();
  const RECT before = WindowBounds(hwnd);

  fake_embedding::SetTopLevelWindowProcAnswer(42);
  EXPECT_EQ(SendMessageW(hwnd, WM_FONTCHANGE, 0, 0), 42);
  EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopEngineReloadSystemFonts"), 0u);
  RECT suggested{10, 20, 310, 220};
  EXPECT_EQ(SendMessageW(hwnd, WM_DPICHANGED, 0, reinterpret_cast<LPARAM>(&suggested)), 42);
  EXPECT_EQ(WindowBounds(hwnd), before) << "the window's own handling never ran";

  fake_embedding::SetTopLevelWindowProcAnswer(std::nullopt);
  EXPECT_EQ(SendMessageW(hwnd, WM_DPICHANGED, 0, reinterpret_cast<LPARAM>(&suggested)), 0);
  EXPECT_EQ(WindowBounds(hwnd), suggested);
}

TEST_F(FlutterWindowTest, AFontChangeReloadsTheEngineFontsAndGoesOn) {
  FlutterWindow window(project_);
  ASSERT_TRUE(window.CreateNativeWindow(L"kovi", {0, 0}, {400, 300}));
  EXPECT_EQ(SendMessageW(window.NativeHandle(), WM_FONTCHANGE, 0, 0), 0);
  const std::vector<std::string> names = fake_embedding::CallNames();
  const size_t offered =
      Find(names, kWindowProc, Find(names, "FlutterDesktopViewControllerForceRedraw"));
  EXPECT_EQ(Find(names, "FlutterDesktopEngineReloadSystemFonts", offered), names.size() - 1);
  EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopEngineReloadSystemFonts"), 1u);
}

TEST_F(FlutterWindowTest, ClosingWhileCapturingSendsTheLastBatchBeforeTheEngineGoes) {
  FlutterWindow window(project_);
  ASSERT_TRUE(window.CreateNativeWindow(L"kovi", {0, 0}, {400, 300}));
  window.SetQuitWhenClosed(true);
  HWND hwnd = window.NativeHandle();
  ListenAndStartCapture();
  SendMessageW(hwnd, WM_TIMER, RawMouseCapture::kCaptureTimerId, 0);  // one tick of 0 packets
  const size_t before_close = fake_embedding::Calls().size();

  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_TRUE(TakeQuitMessage());

  const std::vector<fake_embedding::Call> calls = fake_embedding::Calls();
  const std::vector<std::string> names = fake_embedding::CallNames();
  const size_t batch = Find(names, "FlutterDesktopMessengerSend", before_close);
  ASSERT_LT(batch, names.size());
  EXPECT_EQ(calls[batch].name, kEventChannel);
  // A batch of counts, all 0: the tick sent here, and any tick of the real
  // timer that came due meanwhile.
  const std::vector<uint8_t>& data = calls[batch].data;
  ASSERT_GE(data.size(), 3u);
  const size_t ticks = data[2];
  EXPECT_GE(ticks, 1u);
  EXPECT_EQ(data, kovi_test::BatchEnvelope(std::vector<int32_t>(ticks, 0)));
  const size_t destroyed = Find(names, "FlutterDesktopViewControllerDestroy", batch);
  ASSERT_LT(destroyed, names.size());
  EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopViewControllerDestroy"), 1u);
  EXPECT_EQ(destroyed, names.size() - 1) << "after WM_DESTROY nothing of Flutter is touched";
}

TEST_F(FlutterWindowTest, DestroyingTheObjectAfterTheWindowClosedTouchesNothing) {
  size_t after_close = 0;
  {
    FlutterWindow window(project_);
    ASSERT_TRUE(window.CreateNativeWindow(L"kovi", {0, 0}, {400, 300}));
    SendMessageW(window.NativeHandle(), WM_CLOSE, 0, 0);
    after_close = fake_embedding::Calls().size();
  }
  EXPECT_EQ(fake_embedding::Calls().size(), after_close);
  EXPECT_FALSE(WindowClassRegistered());
}

TEST_F(FlutterWindowTest, DestroyingTheObjectWithItsWindowStopsCaptureBeforeTheEngine) {
  {
    FlutterWindow window(project_);
    ASSERT_TRUE(window.CreateNativeWindow(L"kovi", {0, 0}, {400, 300}));
    ListenAndStartCapture();
    SendMessageW(window.NativeHandle(), WM_TIMER, RawMouseCapture::kCaptureTimerId, 0);
  }
  const std::vector<std::string> names = fake_embedding::CallNames();
  const size_t batch = Find(names, "FlutterDesktopMessengerSend");
  EXPECT_LT(Find(names, "FlutterDesktopViewControllerDestroy", batch), names.size());
  EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopViewControllerDestroy"), 1u);
}

}  // namespace
