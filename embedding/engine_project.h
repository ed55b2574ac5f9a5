// EngineProject: where the compiled Dart application lies and how to start it.
// A plain value: the entry point builds one, the content window keeps a copy and
// the engine wrapper reads it while it creates the engine.
#ifndef KOVI_EMBEDDING_ENGINE_PROJECT_H_
#define KOVI_EMBEDDING_ENGINE_PROJECT_H_

#include <cstdint>
#include <string>
#include <vector>

class EngineProject {
 public:
  // The three paths are the folder followed by "\flutter_assets", "\icudtl.dat"
  // and "\app.so", concatenated as given (a relative folder stays relative).
  explicit EngineProject(const std::wstring& folder);

  // Replaces the entry-point arguments (UTF-8) with the given list, taking its content.
  void SetEntrypointArguments(std::vector<std::string> arguments);

  std::wstring assets_folder;
  std::wstring icu_data_file;
  std::wstring aot_library_file;
  std::string entrypoint;
  std::vector<std::string> entrypoint_arguments;
  int32_t engine_option_1 = 0;
  int32_t engine_option_2 = 0;
};

#endif  // KOVI_EMBEDDING_ENGINE_PROJECT_H_
