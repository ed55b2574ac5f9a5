#include "embedding/plugin_registrant.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "embedding/engine_project.h"
#include "embedding/flutter_engine.h"
#include "tests/support/failure_lines.h"
#include "tests/support/fake_embedding.h"
#include "tests/support/plugin_registration_notes.h"
#include "tests/support/stderr_capture.h"

namespace {

const char* const kPluginNames[] = {"ScreenRetrieverPlugin", "UrlLauncherWindows",
                                    "WindowManagerPlugin"};

class RegisterPluginsTest : public ::testing::Test {
 protected:
  void SetUp() override { fake_embedding::Reset(); }

  PluginRegistrationNotes plugin_notes_;
};

TEST_F(RegisterPluginsTest, EachPluginGetsItsOwnRegistrarInOrder) {
  flutter::FlutterEngine engine(EngineProject(L"data"));
  const size_t before = fake_embedding::Calls().size();
  StderrCapture err;
  RegisterPlugins(&engine);
  const auto calls = fake_embedding::Calls(before);
  ASSERT_EQ(calls.size(), 6u);
  for (size_t i = 0; i < 3; ++i) {
    const std::string name = kPluginNames[i];
    SCOPED_TRACE(name);
    EXPECT_EQ(calls[2 * i].function, "FlutterDesktopEngineGetPluginRegistrar");
    EXPECT_EQ(calls[2 * i].target, fake_embedding::EngineHandle());
    EXPECT_EQ(calls[2 * i].name, name);
    EXPECT_EQ(calls[2 * i + 1].function, "registered " + name);
    EXPECT_EQ(calls[2 * i + 1].handle, fake_embedding::RegistrarFor(name));
  }
  EXPECT_EQ(err.Text(), "");
}

TEST_F(RegisterPluginsTest, WithoutAnEngineEachPluginGetsNullAfterOneLine) {
  fake_embedding::SetEngineCreateFails(true);
  flutter::FlutterEngine engine(EngineProject(L"data"));
  const size_t before = fake_embedding::Calls().size();
  StderrCapture err;
  RegisterPlugins(&engine);
  const auto calls = fake_embedding::Calls(before);
  ASSERT_EQ(calls.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(calls[i].function, std::string("registered ") + kPluginNames[i]);
    EXPECT_EQ(calls[i].handle, nullptr);
  }
  EXPECT_EQ(err.Lines(), kovi_test::Lines(3, kovi_test::kNoEngineLine));
}

}  // namespace
