#include "window/title_bar_theme.h"

#include <dwmapi.h>

namespace {

constexpr const wchar_t* kPersonalizeKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr const wchar_t* kLightThemeValue = L"AppsUseLightTheme";

// DWMWA_USE_IMMERSIVE_DARK_MODE; older SDK headers do not name it.
constexpr DWORD kUseImmersiveDarkMode = 20;

WindowAttributeSetter& AttributeSetter() {
  static WindowAttributeSetter setter = &DwmSetWindowAttribute;
  return setter;
}

}  // namespace

void ApplyTitleBarTheme(HWND window) {
  DWORD light_mode = 0;
  DWORD light_mode_size = sizeof(light_mode);
  LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, kPersonalizeKey, kLightThemeValue,
                                RRF_RT_REG_DWORD, nullptr, &light_mode, &light_mode_size);
  if (status != ERROR_SUCCESS) {
    return;
  }
  BOOL enable_dark_mode = light_mode == 0 ? TRUE : FALSE;
  AttributeSetter()(window, kUseImmersiveDarkMode, &enable_dark_mode, sizeof(enable_dark_mode));
}

WindowAttributeSetter SetWindowAttributeSetterForTesting(WindowAttributeSetter setter) {
  WindowAttributeSetter previous = AttributeSetter();
  AttributeSetter() = setter != nullptr ? setter : &DwmSetWindowAttribute;
  return previous;
}
