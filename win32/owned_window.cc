#include "win32/owned_window.h"

#include <utility>

OwnedWindow::~OwnedWindow() {
  if (window_ != nullptr && BoundTo(window_) == this) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  }
  Destroy();
}

bool OwnedWindow::Create(const WindowCreation& creation, MessageHandler handler) {
  Destroy();
  handler_ = std::move(handler);
  // A bound window knows its handle from WM_NCCREATE on; an unbound one from here.
  window_ = CreateWindowExW(creation.extended_style, creation.class_name, creation.title,
                            creation.style, creation.x, creation.y, creation.width, creation.height,
                            creation.parent, nullptr, creation.instance, this);
  return window_ != nullptr;
}

void OwnedWindow::Destroy() {
  // An unbound window is not told to forget a window its parent took along.
  if (window_ != nullptr && IsWindow(window_)) {
    DestroyWindow(window_);
  }
  window_ = nullptr;
}

LRESULT CALLBACK OwnedWindow::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    auto* owner = static_cast<OwnedWindow*>(creation->lpCreateParams);
    if (owner != nullptr) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
      owner->window_ = hwnd;
    }
  }
  OwnedWindow* owner = BoundTo(hwnd);
  if (owner == nullptr) {
    // Messages before WM_NCCREATE, and those after the owner let go.
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  return owner->Route(hwnd, message, wparam, lparam);
}

bool OwnedWindow::RegisterBoundClass(HINSTANCE instance, const wchar_t* class_name, UINT style,
                                     HICON icon) {
  WNDCLASSW existing{};
  if (GetClassInfoW(instance, class_name, &existing)) {
    return true;
  }
  WNDCLASSW window_class{};
  window_class.style = style;
  window_class.lpfnWndProc = &OwnedWindow::Procedure;
  window_class.hInstance = instance;
  window_class.hIcon = icon;
  window_class.lpszClassName = class_name;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  return RegisterClassW(&window_class) != 0;
}

OwnedWindow* OwnedWindow::BoundTo(HWND hwnd) {
  return reinterpret_cast<OwnedWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT OwnedWindow::Route(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    // The window is being destroyed, by whoever: it is never destroyed again.
    window_ = nullptr;
  }
  const LRESULT result = handler_ ? handler_(hwnd, message, wparam, lparam)
                                  : DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  }
  return result;
}
