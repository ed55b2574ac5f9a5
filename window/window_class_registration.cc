#include "window/window_class_registration.h"

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

const wchar_t* WindowClassRegistration::GetWindowClass(WNDPROC window_procedure) {
  if (!registered_) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW window_class{};
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = window_procedure;
    window_class.cbClsExtra = 0;
    window_class.cbWndExtra = 0;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kAppIconResourceId));
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = nullptr;
    window_class.lpszMenuName = nullptr;
    window_class.lpszClassName = kClassName;
    RegisterClassW(&window_class);
    registered_ = true;
  }
  return kClassName;
}

void WindowClassRegistration::UnregisterWindowClass() {
  UnregisterClassW(kClassName, nullptr);
  registered_ = false;
}
