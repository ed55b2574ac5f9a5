// Helpers for the tests of the window host and the application: real windows
// to attach as content, the window class and quit-message checks, the
// title-bar theme's attribute calls and the user's theme value in the
// registry. Test thread only.
#ifndef KOVI_TESTS_SUPPORT_WINDOW_TEST_SUPPORT_H_
#define KOVI_TESTS_SUPPORT_WINDOW_TEST_SUPPORT_H_

#include <windows.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "win32/handle_traits.h"
#include "win32/owned_window.h"
#include "window/title_bar_theme.h"

bool operator==(const RECT& a, const RECT& b);
void PrintTo(const RECT& rect, std::ostream* out);

// The window's rectangle in screen coordinates.
RECT WindowBounds(HWND hwnd);
// A child window's rectangle in its parent's client coordinates.
RECT ChildBounds(HWND child);
std::wstring WindowText(HWND hwnd);

// The top-level window class (WindowClassRegistration::kClassName) of this module.
bool WindowClassRegistered();
WNDCLASSW WindowClassInfo();

// Removes every WM_QUIT waiting in this thread's queue.
void DiscardQuitMessages();
// True when a WM_QUIT was waiting (it is removed).
bool TakeQuitMessage();

// A real child window, parked under a hidden window of its own until a test
// attaches it elsewhere; destroyed with the object if it still exists.
class ParkedChild {
 public:
  ParkedChild();

  HWND hwnd() const { return child_.get(); }

 private:
  OwnedWindow parking_;
  OwnedWindow child_;
};

// One DwmSetWindowAttribute call as the title-bar theme made it.
struct AttributeCall {
  HWND window;
  DWORD attribute;
  BOOL value;
  DWORD size;
};

// Routes the title-bar theme's attribute calls to a recorder while it lives.
class ThemeRecorder {
 public:
  ThemeRecorder();
  ~ThemeRecorder();
  ThemeRecorder(const ThemeRecorder&) = delete;
  ThemeRecorder& operator=(const ThemeRecorder&) = delete;

  std::vector<AttributeCall> Calls() const;
  void Clear();

 private:
  WindowAttributeSetter previous_;
};

// Sets the user's "AppsUseLightTheme" value in the test prefix and restores
// what was there (value, or its absence, and the key) when it dies.
class ScopedLightThemeValue {
 public:
  ScopedLightThemeValue();
  ~ScopedLightThemeValue();
  ScopedLightThemeValue(const ScopedLightThemeValue&) = delete;
  ScopedLightThemeValue& operator=(const ScopedLightThemeValue&) = delete;

  // A 32-bit value, or none to delete the value.
  void Set(std::optional<DWORD> value);
  // A string value, which the theme must ignore.
  void SetText(const std::wstring& text);

 private:
  ScopedRegistryKey key_;
  bool created_key_ = false;
  DWORD original_type_ = 0;
  std::vector<BYTE> original_;
  bool had_original_ = false;
};

#endif  // KOVI_TESTS_SUPPORT_WINDOW_TEST_SUPPORT_H_
