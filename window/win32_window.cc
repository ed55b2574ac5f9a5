#include "window/win32_window.h"

#include <cmath>
#include <limits>

#include "embedding/flutter_desktop_windows.h"
#include "win32/handle_traits.h"
#include "window/title_bar_theme.h"
#include "window/window_class_registration.h"

namespace {

// Window objects in existence; the class is unregistered when it drops to 0.
int32_t g_live_window_count = 0;

constexpr double kBaseDpi = 96.0;

// Lets the system scale the non-client area (title bar, borders) with the
// monitor. Looked up at run time: older systems do not have the function.
void EnableNonClientDpiScalingIfAvailable(HWND hwnd) {
  ScopedModule user32(LoadLibraryA("User32.dll"));
  if (!user32) {
    return;
  }
  FARPROC address = GetProcAddress(user32.get(), "EnableNonClientDpiScaling");
  if (address == nullptr) {
    return;
  }
  using EnableNonClientDpiScalingFunction = BOOL(WINAPI*)(HWND);
  auto enable_non_client_dpi_scaling =
      reinterpret_cast<EnableNonClientDpiScalingFunction>(reinterpret_cast<void (*)()>(address));
  enable_non_client_dpi_scaling(hwnd);
}

void UnregisterClassIfNoWindowIsLeft() {
  if (g_live_window_count == 0) {
    WindowClassRegistration::GetInstance().UnregisterWindowClass();
  }
}

}  // namespace

int32_t ScaleToPixels(int32_t value, double scale_factor) {
  const double scaled = std::trunc(value * scale_factor);
  if (scaled >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
    return std::numeric_limits<int32_t>::max();
  }
  if (scaled <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
    return std::numeric_limits<int32_t>::min();
  }
  return static_cast<int32_t>(scaled);
}

Win32Window::Win32Window() {
  ++g_live_window_count;
}

Win32Window::~Win32Window() {
  --g_live_window_count;
  DestroyNativeWindow();
}

bool Win32Window::CreateNativeWindow(const std::wstring& title, const WindowOrigin& origin,
                                     const WindowSize& size) {
  DestroyNativeWindow();
  WindowCreation creation;
  creation.class_name = WindowClassRegistration::GetInstance().GetWindowClass();
  creation.title = title.c_str();
  creation.style = WS_OVERLAPPEDWINDOW;
  creation.instance = GetModuleHandleW(nullptr);

  HMONITOR monitor = MonitorFromPoint(POINT{origin.x, origin.y}, MONITOR_DEFAULTTONEAREST);
  const double scale_factor = FlutterDesktopGetDpiForMonitor(monitor) / kBaseDpi;
  creation.x = ScaleToPixels(origin.x, scale_factor);
  creation.y = ScaleToPixels(origin.y, scale_factor);
  creation.width = ScaleToPixels(static_cast<int32_t>(size.width), scale_factor);
  creation.height = ScaleToPixels(static_cast<int32_t>(size.height), scale_factor);

  if (!native_window_.Create(creation,
                             [this](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
                               return RouteMessage(hwnd, message, wparam, lparam);
                             })) {
    return false;
  }
  ApplyTitleBarTheme(native_window_.get());
  return OnWindowCreated();
}

void Win32Window::DestroyNativeWindow() {
  OnWindowDestroying();
  // The window hears its own destruction: WM_DESTROY reaches HandleMessage.
  native_window_.Destroy();
  UnregisterClassIfNoWindowIsLeft();
}

void Win32Window::SetQuitWhenClosed(bool quit_when_closed) {
  quit_when_closed_ = quit_when_closed;
}

void Win32Window::AttachContent(HWND content) {
  content_window_ = content;
  SetParent(content, native_window_.get());
  FitContentToClientArea();
  SetFocus(content_window_);
}

RECT Win32Window::ClientArea() const {
  RECT frame{};
  GetClientRect(native_window_.get(), &frame);
  return frame;
}

LRESULT Win32Window::HandleMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_DESTROY:
      OnDestroyMessage();
      return 0;
    case WM_SIZE:
      FitContentToClientArea();
      return 0;
    case WM_ACTIVATE:
      FocusContent();
      return 0;
    case WM_DPICHANGED:
      MoveToSuggestedRect(hwnd, reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_DWMCOLORIZATIONCOLORCHANGED:
      ApplyTitleBarTheme(hwnd);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

bool Win32Window::OnWindowCreated() {
  return true;
}

void Win32Window::OnWindowDestroying() {}

LRESULT Win32Window::RouteMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    EnableNonClientDpiScalingIfAvailable(hwnd);
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  return HandleMessage(hwnd, message, wparam, lparam);
}

void Win32Window::OnDestroyMessage() {
  // The native window has forgotten the window by now (it is being destroyed),
  // so neither the hook nor DestroyNativeWindow destroys it a second time.
  OnWindowDestroying();
  UnregisterClassIfNoWindowIsLeft();
  if (quit_when_closed_) {
    PostQuitMessage(0);
  }
}

void Win32Window::FitContentToClientArea() const {
  RECT frame = ClientArea();
  if (content_window_ != nullptr) {
    MoveWindow(content_window_, frame.left, frame.top, frame.right - frame.left,
               frame.bottom - frame.top, TRUE);
  }
}

void Win32Window::FocusContent() const {
  if (content_window_ != nullptr) {
    SetFocus(content_window_);
  }
}

void Win32Window::MoveToSuggestedRect(HWND hwnd, const RECT* suggested) {
  if (suggested == nullptr) {
    return;
  }
  SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
}
