#include "embedding/engine_project.h"

#include <utility>

EngineProject::EngineProject(const std::wstring& folder)
    : assets_folder(folder + L"\\flutter_assets"),
      icu_data_file(folder + L"\\icudtl.dat"),
      aot_library_file(folder + L"\\app.so") {}

void EngineProject::SetEntrypointArguments(std::vector<std::string> arguments) {
  entrypoint_arguments = std::move(arguments);
}
