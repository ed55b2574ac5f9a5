// The application library (the engine properties' ahead-of-time library,
// data\app.so) loaded into the process, with its two entry points. Owns the
// module handle and frees it on destruction. UI thread.
#ifndef KOVI_STANDINS_FLUTTER_WINDOWS_APP_LIBRARY_H_
#define KOVI_STANDINS_FLUTTER_WINDOWS_APP_LIBRARY_H_

#include <windows.h>

#include <memory>
#include <string>

#include "standins/app_api.h"
#include "win32/handle_traits.h"

class AppLibrary {
 public:
  // Null, after one line on the standard error stream, when the file cannot be
  // loaded or lacks an entry point.
  static std::unique_ptr<AppLibrary> Load(const std::wstring& path);
  AppLibrary(const AppLibrary&) = delete;
  AppLibrary& operator=(const AppLibrary&) = delete;

  KoviAppStartFn start() const { return start_; }
  KoviAppShutdownFn shutdown() const { return shutdown_; }

 private:
  AppLibrary() = default;

  ScopedModule module_;
  KoviAppStartFn start_ = nullptr;
  KoviAppShutdownFn shutdown_ = nullptr;
};

#endif  // KOVI_STANDINS_FLUTTER_WINDOWS_APP_LIBRARY_H_
