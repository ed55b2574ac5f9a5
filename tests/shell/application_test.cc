// The process's start-up, message loop and tear-down, run in this test process
// over the recording fake of the embedding library. The window is closed from
// inside the message loop by a thread timer, as a user closing it would.
#include "shell/application.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/command_line.h"
#include "tests/support/failure_lines.h"
#include "tests/support/fake_embedding.h"
#include "tests/support/fake_embedding_windows.h"
#include "tests/support/stderr_capture.h"
#include "tests/support/window_test_support.h"
#include "window/window_class_registration.h"

namespace {

// What the timer saw of the running application, and how it ends it.
struct Observation {
  bool found = false;
  RECT bounds{};
  BOOL visible = TRUE;
  std::wstring title;
  bool close_with_quit_code = false;  // post WM_QUIT(7) instead of closing the window
};
Observation g_observation;

BOOL CALLBACK KeepIfTopLevelWindow(HWND hwnd, LPARAM found) {
  wchar_t class_name[64] = {};
  GetClassNameW(hwnd, class_name, 64);
  if (std::wstring(class_name) != WindowClassRegistration::kClassName) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(found) = hwnd;
  return FALSE;
}

// The application's window, looked for on this thread only: tests running side
// by side have windows of the same class.
HWND FindApplicationWindow() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), &KeepIfTopLevelWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK EndApplication(HWND /*hwnd*/, UINT /*message*/, UINT_PTR timer, DWORD /*time*/) {
  HWND window = FindApplicationWindow();
  if (window == nullptr) {
    return;
  }
  KillTimer(nullptr, timer);
  g_observation.found = true;
  GetWindowRect(window, &g_observation.bounds);
  g_observation.visible = IsWindowVisible(window);
  g_observation.title = WindowText(window);
  if (g_observation.close_with_quit_code) {
    PostQuitMessage(7);
  } else {
    PostMessageW(window, WM_CLOSE, 0, 0);
  }
}

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake_embedding::Reset();
    g_observation = Observation();
  }
};

TEST_F(ApplicationTest, RunsUntilTheWindowIsClosedAndExitsWithZero) {
  for (bool quit_code : {false, true}) {
    SCOPED_TRACE(quit_code ? "loop ended by WM_QUIT with code 7" : "window closed");
    fake_embedding::Reset();
    g_observation = Observation();
    g_observation.close_with_quit_code = quit_code;
    SetTimer(nullptr, 0, 10, &EndApplication);

    EXPECT_EQ(RunApplication(), 0);

    ASSERT_TRUE(g_observation.found);
    EXPECT_EQ(g_observation.title, L"kovi");
    EXPECT_FALSE(g_observation.visible) << "the host never shows the window";
    // 1280 logical units centred on the primary screen's pixel width, 100 from
    // the top, at the fake's 96 dots per inch.
    EXPECT_EQ(g_observation.bounds.left, (GetSystemMetrics(SM_CXSCREEN) - 1280) / 2);
    EXPECT_EQ(g_observation.bounds.top, 100);
    EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopViewControllerDestroy"), 1u);
    EXPECT_EQ(FindApplicationWindow(), nullptr);
    EXPECT_FALSE(WindowClassRegistered());
  }
}

TEST_F(ApplicationTest, DescribesTheDataFolderWithTheCommandLineArguments) {
  SetTimer(nullptr, 0, 10, &EndApplication);
  ASSERT_EQ(RunApplication(), 0);

  const auto properties = fake_embedding::LastEngineProperties();
  ASSERT_TRUE(properties.has_value());
  EXPECT_EQ(properties->assets_path, L"data\\flutter_assets");
  EXPECT_EQ(properties->icu_data_path, L"data\\icudtl.dat");
  EXPECT_EQ(properties->aot_library_path, L"data\\app.so");
  EXPECT_EQ(properties->dart_entrypoint, "");
  // This test program is started with arguments (the test filter, at least).
  const std::vector<std::string> arguments = CommandLineArgumentsUtf8();
  ASSERT_FALSE(arguments.empty());
  EXPECT_EQ(properties->argv, arguments);
}

TEST_F(ApplicationTest, AWindowThatCannotBeCreatedExitsWithOneWithoutALoop) {
  fake_embedding::SetViewControllerCreateFails(true);
  // A loop would run this timer, which would end it with a normal exit.
  SetTimer(nullptr, 0, 10, &EndApplication);
  StderrCapture errors;

  EXPECT_EQ(RunApplication(), 1);

  EXPECT_FALSE(g_observation.found);
  EXPECT_EQ(errors.Lines(), kovi_test::Lines{kovi_test::kViewControllerFailedLine});
  EXPECT_EQ(FindApplicationWindow(), nullptr);
  EXPECT_FALSE(WindowClassRegistered());
  EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopEngineGetPluginRegistrar"), 0u);
}

}  // namespace
