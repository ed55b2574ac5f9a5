#include "embedding/flutter_view_controller.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "embedding/binary_messenger.h"
#include "tests/support/failure_lines.h"
#include "tests/support/fake_embedding.h"
#include "tests/support/fake_embedding_windows.h"
#include "tests/support/freed_note.h"
#include "tests/support/stderr_capture.h"

namespace {

using kovi_test::kViewControllerFailedLine;
using kovi_test::Lines;

class FlutterViewControllerTest : public ::testing::Test {
 protected:
  void SetUp() override { fake_embedding::Reset(); }

  EngineProject project_{L"data"};
};

TEST_F(FlutterViewControllerTest, CreatesEngineThenHandsItToTheLibrarysController) {
  StderrCapture err;
  auto controller = std::make_unique<flutter::FlutterViewController>(1280, -1, project_);
  EXPECT_EQ(fake_embedding::CallNames(),
            (std::vector<std::string>{
                "FlutterDesktopEngineCreate", "FlutterDesktopEngineGetMessenger",
                "FlutterDesktopViewControllerCreate", "FlutterDesktopViewControllerGetView"}));
  const auto create = fake_embedding::CallsTo("FlutterDesktopViewControllerCreate")[0];
  EXPECT_EQ(create.target, fake_embedding::EngineHandle());
  EXPECT_EQ(create.numbers, (std::vector<int64_t>{1280, -1}));
  EXPECT_EQ(fake_embedding::CallsTo("FlutterDesktopViewControllerGetView")[0].target,
            fake_embedding::ControllerHandle());
  ASSERT_NE(controller->GetView(), nullptr);
  ASSERT_NE(controller->GetEngine(), nullptr);
  EXPECT_EQ(controller->GetView()->GetHWND(), fake_embedding::FakeViewHwnd());
  const HWND chosen = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x4242));
  fake_embedding::SetViewHwnd(chosen);
  EXPECT_EQ(controller->GetView()->GetHWND(), chosen);
  EXPECT_EQ(fake_embedding::CallsTo("FlutterDesktopViewGetHWND")[0].target,
            fake_embedding::ViewHandle());
  EXPECT_EQ(err.Text(), "");
}

TEST_F(FlutterViewControllerTest, DestructionEndsTheLibrarysControllerBeforeTheHandlers) {
  const struct {
    const char* name;
    bool view_fails;
    std::vector<std::string> destruction;
    Lines lines;
  } cases[] = {
      {"working", false, {"FlutterDesktopViewControllerDestroy", "freed handler"}, {}},
      {"failed", true, {"freed handler"}, {kViewControllerFailedLine}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fake_embedding::Reset();
    fake_embedding::SetViewControllerCreateFails(c.view_fails);
    StderrCapture err;
    auto controller = std::make_unique<flutter::FlutterViewController>(10, 20, project_);
    EXPECT_EQ(err.Lines(), c.lines);
    EXPECT_EQ(controller->GetView() == nullptr, c.view_fails);
    ASSERT_NE(controller->GetEngine(), nullptr);
    controller->GetEngine()->GetMessenger()->SetMessageHandler("ch", NotedHandler("handler"));
    const size_t before = fake_embedding::Calls().size();
    controller.reset();
    EXPECT_EQ(fake_embedding::CallNames(before), c.destruction);
    EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopEngineDestroy"), 0u);
    if (!c.view_fails) {
      EXPECT_EQ(fake_embedding::CallsTo("FlutterDesktopViewControllerDestroy")[0].target,
                fake_embedding::ControllerHandle());
    }
  }
}

TEST_F(FlutterViewControllerTest, FailedEngineCreationIsPassedOnAsNull) {
  fake_embedding::SetEngineCreateFails(true);
  fake_embedding::SetViewControllerCreateFails(true);
  StderrCapture err;
  flutter::FlutterViewController controller(1, 1, project_);
  EXPECT_EQ(fake_embedding::CallsTo("FlutterDesktopViewControllerCreate")[0].target, nullptr);
  EXPECT_EQ(controller.GetView(), nullptr);
  EXPECT_EQ(err.Lines(), Lines{kViewControllerFailedLine});
}

TEST_F(FlutterViewControllerTest, WindowProcAnswerIsUsedOnlyWhenConsumed) {
  flutter::FlutterViewController controller(1, 1, project_);
  const HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x7070));
  EXPECT_FALSE(controller.HandleTopLevelWindowProc(window, WM_SIZE, 3, -4).has_value());
  const auto call = fake_embedding::CallsTo("FlutterDesktopViewControllerHandleTopLevelWindowProc");
  ASSERT_EQ(call.size(), 1u);
  EXPECT_EQ(call[0].target, fake_embedding::ControllerHandle());
  EXPECT_EQ(call[0].handle, window);
  EXPECT_EQ(call[0].numbers, (std::vector<int64_t>{WM_SIZE, 3, -4}));
  for (LRESULT answer : {LRESULT{0}, LRESULT{-1}, LRESULT{0x123456789}}) {
    fake_embedding::SetTopLevelWindowProcAnswer(answer);
    EXPECT_EQ(controller.HandleTopLevelWindowProc(window, WM_PAINT, 0, 0), answer);
  }
}

TEST_F(FlutterViewControllerTest, ForceRedrawGoesToTheLibrarysController) {
  flutter::FlutterViewController controller(1, 1, project_);
  controller.ForceRedraw();
  const auto redraw = fake_embedding::CallsTo("FlutterDesktopViewControllerForceRedraw");
  ASSERT_EQ(redraw.size(), 1u);
  EXPECT_EQ(redraw[0].target, fake_embedding::ControllerHandle());
}

}  // namespace
