#include "standins/flutter_windows/app_library.h"

#include <cstdio>

#include "standins/flutter_windows/utf8.h"

namespace {

template <typename Function>
Function LookUp(HMODULE module, const char* name) {
  // GetProcAddress yields a generic function pointer; the entry interface
  // (standins/app_api.h) fixes the real type.
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

std::unique_ptr<AppLibrary> AppLibrary::Load(const std::wstring& path) {
  std::unique_ptr<AppLibrary> library(new AppLibrary());
  library->module_.reset(LoadLibraryW(path.c_str()));
  if (!library->module_) {
    std::fprintf(stderr, "flutter_windows (stand-in): cannot load the application %s (error %lu)\n",
                 WideToUtf8(path).c_str(), GetLastError());
    std::fflush(stderr);
    return nullptr;
  }
  library->start_ = LookUp<KoviAppStartFn>(library->module_.get(), "KoviAppStart");
  library->shutdown_ = LookUp<KoviAppShutdownFn>(library->module_.get(), "KoviAppShutdown");
  if (library->start_ == nullptr || library->shutdown_ == nullptr) {
    std::fprintf(stderr, "flutter_windows (stand-in): %s has no KoviAppStart/KoviAppShutdown\n",
                 WideToUtf8(path).c_str());
    std::fflush(stderr);
    return nullptr;
  }
  return library;
}
