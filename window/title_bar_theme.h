// ApplyTitleBarTheme: makes a window's title bar follow the user's light or dark
// app theme ("AppsUseLightTheme" under the current user's Personalize key).
// UI thread only.
#ifndef KOVI_WINDOW_TITLE_BAR_THEME_H_
#define KOVI_WINDOW_TITLE_BAR_THEME_H_

#include <windows.h>

// Reads the user's app theme and sets the window's dark-mode attribute to match.
// A missing or non-32-bit value leaves the title bar as it is; a system that
// does not know the attribute ignores it.
void ApplyTitleBarTheme(HWND window);

// The desktop window manager call that sets one window attribute, with the
// signature of DwmSetWindowAttribute.
using WindowAttributeSetter = HRESULT(WINAPI*)(HWND window, DWORD attribute, LPCVOID value,
                                               DWORD value_size);

// Test seam: routes ApplyTitleBarTheme's attribute call to the given function
// (null restores DwmSetWindowAttribute) and returns the one used before.
WindowAttributeSetter SetWindowAttributeSetterForTesting(WindowAttributeSetter setter);

#endif  // KOVI_WINDOW_TITLE_BAR_THEME_H_
