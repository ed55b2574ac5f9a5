// WindowClassRegistration: the process-wide registration of the top-level
// window class that every Win32Window shares. Created on first use and never
// released; UI thread only (the flag is a plain, unlocked value).
#ifndef KOVI_WINDOW_WINDOW_CLASS_REGISTRATION_H_
#define KOVI_WINDOW_WINDOW_CLASS_REGISTRATION_H_

#include <windows.h>

class WindowClassRegistration {
 public:
  static constexpr const wchar_t* kClassName = L"FLUTTER_RUNNER_WIN32_WINDOW";

  // The one instance of the process.
  static WindowClassRegistration& GetInstance();

  WindowClassRegistration(const WindowClassRegistration&) = delete;
  WindowClassRegistration& operator=(const WindowClassRegistration&) = delete;

  // Registers the class, its windows bound to their OwnedWindow, unless this
  // object already did; returns the class name either way.
  const wchar_t* GetWindowClass();

  // Unregisters the class; a later GetWindowClass registers it again.
  void UnregisterWindowClass();

 private:
  WindowClassRegistration() = default;

  bool registered_ = false;
};

#endif  // KOVI_WINDOW_WINDOW_CLASS_REGISTRATION_H_
