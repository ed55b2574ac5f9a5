#include "embedding/flutter_engine.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "embedding/binary_messenger.h"
#include "embedding/engine_project.h"
#include "tests/support/failure_lines.h"
#include "tests/support/fake_embedding.h"
#include "tests/support/freed_note.h"
#include "tests/support/stderr_capture.h"

namespace {

class FlutterEngineTest : public ::testing::Test {
 protected:
  void SetUp() override { fake_embedding::Reset(); }

  EngineProject project_{L"data"};
};

TEST_F(FlutterEngineTest, PropertiesRecordCarriesTheProjectsOwnStrings) {
  const std::vector<std::vector<std::string>> argument_lists = {
      {}, {""}, {"--one"}, {"one", "two words", "\xC3\xBC", ""}};
  for (const auto& arguments : argument_lists) {
    SCOPED_TRACE(arguments.size());
    fake_embedding::Reset();
    EngineProject project(L"C:\\app data");
    project.SetEntrypointArguments(arguments);
    project.engine_option_1 = 7;
    project.engine_option_2 = -3;
    flutter::FlutterEngine engine(project);
    const auto seen = fake_embedding::LastEngineProperties();
    ASSERT_TRUE(seen.has_value());
    EXPECT_EQ(seen->assets_path, L"C:\\app data\\flutter_assets");
    EXPECT_EQ(seen->icu_data_path, L"C:\\app data\\icudtl.dat");
    EXPECT_EQ(seen->aot_library_path, L"C:\\app data\\app.so");
    EXPECT_EQ(seen->assets_path_pointer, project.assets_folder.c_str());
    EXPECT_EQ(seen->icu_data_path_pointer, project.icu_data_file.c_str());
    EXPECT_EQ(seen->aot_library_path_pointer, project.aot_library_file.c_str());
    EXPECT_EQ(seen->dart_entrypoint_pointer, project.entrypoint.c_str());
    EXPECT_EQ(seen->dart_entrypoint, "");
    EXPECT_EQ(seen->dart_entrypoint_argc, static_cast<int32_t>(arguments.size()));
    EXPECT_EQ(seen->reserved, 0);
    EXPECT_EQ(seen->argv_null, arguments.empty());
    EXPECT_EQ(seen->argv, arguments);
    for (size_t i = 0; i < seen->argv_pointers.size(); ++i) {
      EXPECT_EQ(seen->argv_pointers[i], project.entrypoint_arguments[i].c_str()) << i;
    }
    EXPECT_EQ(seen->engine_option_1, 7);
    EXPECT_EQ(seen->engine_option_2, -3);
  }
}

TEST_F(FlutterEngineTest, CreatesTheEngineThenAsksForItsMessenger) {
  flutter::FlutterEngine engine(project_);
  EXPECT_EQ(
      fake_embedding::CallNames(),
      (std::vector<std::string>{"FlutterDesktopEngineCreate", "FlutterDesktopEngineGetMessenger"}));
  EXPECT_EQ(fake_embedding::Calls()[1].target, fake_embedding::EngineHandle());
  ASSERT_NE(engine.GetMessenger(), nullptr);
  engine.GetMessenger()->Send("ch", nullptr, 0);
  EXPECT_EQ(fake_embedding::CallsTo("FlutterDesktopMessengerSend")[0].target,
            fake_embedding::MessengerHandle());
}

TEST_F(FlutterEngineTest, DestroysItsEngineOnlyWhileOwningAndAlwaysFreesTheMessenger) {
  const struct {
    const char* name;
    bool detach;
    std::vector<std::string> destruction;
  } cases[] = {
      {"owning", false, {"FlutterDesktopEngineDestroy", "freed handler"}},
      {"handed over", true, {"freed handler"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fake_embedding::Reset();
    auto engine = std::make_unique<flutter::FlutterEngine>(project_);
    engine->GetMessenger()->SetMessageHandler("ch", NotedHandler("handler"));
    if (c.detach) {
      EXPECT_EQ(engine->DetachEngineHandle(), fake_embedding::EngineHandle());
    }
    const size_t before = fake_embedding::Calls().size();
    engine.reset();
    EXPECT_EQ(fake_embedding::CallNames(before), c.destruction);
    if (!c.detach) {
      EXPECT_EQ(fake_embedding::CallsTo("FlutterDesktopEngineDestroy")[0].target,
                fake_embedding::EngineHandle());
    }
  }
}

TEST_F(FlutterEngineTest, HandedOverEngineIsStillUsed) {
  flutter::FlutterEngine engine(project_);
  engine.DetachEngineHandle();
  StderrCapture err;
  EXPECT_EQ(engine.GetPluginRegistrar("SomePlugin"), fake_embedding::RegistrarFor("SomePlugin"));
  engine.ReloadSystemFonts();
  const auto registrar = fake_embedding::CallsTo("FlutterDesktopEngineGetPluginRegistrar");
  ASSERT_EQ(registrar.size(), 1u);
  EXPECT_EQ(registrar[0].target, fake_embedding::EngineHandle());
  EXPECT_EQ(registrar[0].name, "SomePlugin");
  EXPECT_EQ(fake_embedding::CallsTo("FlutterDesktopEngineReloadSystemFonts")[0].target,
            fake_embedding::EngineHandle());
  EXPECT_EQ(err.Text(), "");
}

TEST_F(FlutterEngineTest, WithoutAnEngineEachRegistrarRequestWritesOneLineAndGivesNull) {
  fake_embedding::SetEngineCreateFails(true);
  StderrCapture err;
  {
    flutter::FlutterEngine engine(project_);
    EXPECT_EQ(fake_embedding::CallsTo("FlutterDesktopEngineGetMessenger")[0].target, nullptr);
    EXPECT_EQ(engine.GetPluginRegistrar("A"), nullptr);
    EXPECT_EQ(engine.GetPluginRegistrar("B"), nullptr);
  }
  EXPECT_EQ(err.Lines(), kovi_test::Lines(2, kovi_test::kNoEngineLine));
  EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopEngineGetPluginRegistrar"), 0u);
  EXPECT_EQ(fake_embedding::CountCalls("FlutterDesktopEngineDestroy"), 0u);
}

TEST_F(FlutterEngineTest, NextFrameCallbackRunsOnceAfterTheFrame) {
  flutter::FlutterEngine engine(project_);
  int runs = 0;
  engine.SetNextFrameCallback([&runs] { ++runs; });
  const auto set = fake_embedding::CallsTo("FlutterDesktopEngineSetNextFrameCallback");
  ASSERT_EQ(set.size(), 1u);
  EXPECT_EQ(set[0].target, fake_embedding::EngineHandle());
  EXPECT_TRUE(set[0].callback_set);
  EXPECT_EQ(set[0].user_data, &engine);
  EXPECT_EQ(runs, 0);
  ASSERT_TRUE(fake_embedding::RunNextFrameCallback());
  EXPECT_EQ(runs, 1);
  // A library that calls once more for the same registration finds nothing stored.
  ASSERT_TRUE(fake_embedding::RepeatLastNextFrameCallback());
  EXPECT_EQ(runs, 1);
}

TEST_F(FlutterEngineTest, NextFrameCallbackIsReplacedOrDroppedUncalled) {
  auto engine = std::make_unique<flutter::FlutterEngine>(project_);
  std::string log;
  auto first = FreedNote::Make("first");
  engine->SetNextFrameCallback([first, &log] { log += "first;"; });
  first.reset();
  engine->SetNextFrameCallback([&log] { log += "second;"; });
  EXPECT_EQ(fake_embedding::CountCalls("freed first"), 1u);
  fake_embedding::RunNextFrameCallback();
  EXPECT_EQ(log, "second;");

  auto dropped = FreedNote::Make("dropped");
  engine->SetNextFrameCallback([dropped, &log] { log += "dropped;"; });
  dropped.reset();
  engine.reset();
  EXPECT_EQ(fake_embedding::CountCalls("freed dropped"), 1u);
  EXPECT_EQ(log, "second;");
}

TEST_F(FlutterEngineTest, NextFrameCallbackMayRegisterTheFollowingOne) {
  flutter::FlutterEngine engine(project_);
  std::string log;
  engine.SetNextFrameCallback([&] {
    log += "first;";
    engine.SetNextFrameCallback([&log] { log += "second;"; });
  });
  fake_embedding::RunNextFrameCallback();
  fake_embedding::RunNextFrameCallback();
  EXPECT_EQ(log, "first;second;");
}

}  // namespace
