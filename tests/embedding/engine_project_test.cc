#include "embedding/engine_project.h"

#include <gtest/gtest.h>

namespace {

TEST(EngineProject, DataFolderGivesTheThreePathsAndNothingElse) {
  EngineProject project(L"data");
  EXPECT_EQ(project.assets_folder, L"data\\flutter_assets");
  EXPECT_EQ(project.icu_data_file, L"data\\icudtl.dat");
  EXPECT_EQ(project.aot_library_file, L"data\\app.so");
  EXPECT_TRUE(project.entrypoint.empty());
  EXPECT_TRUE(project.entrypoint_arguments.empty());
  EXPECT_EQ(project.engine_option_1, 0);
  EXPECT_EQ(project.engine_option_2, 0);
}

TEST(EngineProject, FolderIsConcatenatedUnchanged) {
  EngineProject project(L"C:\\app\\");
  EXPECT_EQ(project.assets_folder, L"C:\\app\\\\flutter_assets");
}

TEST(EngineProject, ArgumentsAreTakenAndCopiesKeepTheirOwn) {
  EngineProject project(L"data");
  EngineProject before = project;
  std::vector<std::string> arguments = {"one", "two words"};
  project.SetEntrypointArguments(std::move(arguments));
  EXPECT_EQ(project.entrypoint_arguments, (std::vector<std::string>{"one", "two words"}));
  EXPECT_TRUE(before.entrypoint_arguments.empty());
  project.SetEntrypointArguments({"three"});
  EXPECT_EQ(project.entrypoint_arguments, (std::vector<std::string>{"three"}));
}

}  // namespace
