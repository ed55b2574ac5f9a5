// The three files of a Dart application that the engine properties name:
// assets folder, ICU data file and ahead-of-time library. Relative paths are
// resolved against the folder of the running executable, as an installed
// application expects whatever the working directory is.
#ifndef KOVI_STANDINS_FLUTTER_WINDOWS_APP_FILES_H_
#define KOVI_STANDINS_FLUTTER_WINDOWS_APP_FILES_H_

#include <optional>
#include <string>

#include "embedding/flutter_desktop.h"

struct AppFiles {
  std::wstring assets_folder;
  std::wstring icu_data_file;
  std::wstring aot_library_file;
};

// The resolved paths, or nothing after one line on the standard error stream
// that says which one is missing (or null).
std::optional<AppFiles> FindAppFiles(const FlutterDesktopEngineProperties& properties);

#endif  // KOVI_STANDINS_FLUTTER_WINDOWS_APP_FILES_H_
