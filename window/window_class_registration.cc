#include "window/window_class_registration.h"

#include "win32/owned_window.h"

namespace {

// The icon group that the executable's resources carry.
constexpr int kAppIconResourceId = 101;

}  // namespace

WindowClassRegistration& WindowClassRegistration::GetInstance() {
  // Deliberately never destroyed: windows may still be torn down during static
  // destruction and must find the registration intact.
  static WindowClassRegistration* instance = new WindowClassRegistration();
  return *instance;
}

const wchar_t* WindowClassRegistration::GetWindowClass() {
  if (!registered_) {
    // Whether the registration succeeded is not examined: window creation
    // fails on its own without the class.
    HINSTANCE instance = GetModuleHandleW(nullptr);
    OwnedWindow::RegisterBoundClass(instance, kClassName, CS_HREDRAW | CS_VREDRAW,
                                    LoadIconW(instance, MAKEINTRESOURCEW(kAppIconResourceId)));
    registered_ = true;
  }
  return kClassName;
}

void WindowClassRegistration::UnregisterWindowClass() {
  UnregisterClassW(kClassName, nullptr);
  registered_ = false;
}
