#include "standins/flutter_windows/app_files.h"

#include <windows.h>

#include <cstdio>

#include "standins/flutter_windows/utf8.h"

namespace {

std::wstring ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? std::wstring() : path.substr(0, separator);
}

bool IsAbsolute(const std::wstring& path) {
  return (path.size() >= 2 && path[1] == L':') ||
         (!path.empty() && (path[0] == L'\\' || path[0] == L'/'));
}

std::wstring Resolve(const std::wstring& path) {
  return IsAbsolute(path) ? path : ExecutableFolder() + L"\\" + path;
}

// True when the path names an existing folder (want_folder) or file.
bool Exists(const std::wstring& path, bool want_folder) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    return false;
  }
  return ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) == want_folder;
}

bool Check(const wchar_t* given, bool want_folder, const char* what, std::wstring* resolved) {
  if (given == nullptr) {
    std::fprintf(stderr, "flutter_windows (stand-in): no %s given\n", what);
    std::fflush(stderr);
    return false;
  }
  *resolved = Resolve(given);
  if (!Exists(*resolved, want_folder)) {
    std::fprintf(stderr, "flutter_windows (stand-in): %s not found: %s\n", what,
                 WideToUtf8(given).c_str());
    std::fflush(stderr);
    return false;
  }
  return true;
}

}  // namespace

std::optional<AppFiles> FindAppFiles(const FlutterDesktopEngineProperties& properties) {
  AppFiles files;
  if (!Check(properties.assets_path, true, "assets folder", &files.assets_folder) ||
      !Check(properties.icu_data_path, false, "ICU data file", &files.icu_data_file) ||
      !Check(properties.aot_library_path, false, "AOT library", &files.aot_library_file)) {
    return std::nullopt;
  }
  return files;
}
