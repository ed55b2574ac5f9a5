// OwnedWindow: a window that belongs to one object. It creates the window,
// binds the object's message handler to it, and destroys it when it goes,
// unless the window is gone already (its parent took it along, or a user
// closed it). The binding is the one "object behind a window" procedure of
// the project: a window class names OwnedWindow::Procedure, and from
// WM_NCCREATE to WM_NCDESTROY every message of a window of that class reaches
// the handler of the OwnedWindow that created it. A window of a class with
// another procedure (a system class, say) is only owned, not bound.
//
// Ownership: the OwnedWindow owns the window and its handler. The window
// keeps the OwnedWindow's address, so it is neither copied nor moved. A
// handler must not destroy its own OwnedWindow.
//
// Threading: UI thread only, the thread that created the window.
#ifndef KOVI_WIN32_OWNED_WINDOW_H_
#define KOVI_WIN32_OWNED_WINDOW_H_

#include <windows.h>

#include <functional>

// What OwnedWindow::Create passes to CreateWindowExW. There is never a menu,
// and the creation parameter is the OwnedWindow itself.
struct WindowCreation {
  const wchar_t* class_name = nullptr;
  const wchar_t* title = L"";
  DWORD style = 0;
  DWORD extended_style = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  HWND parent = nullptr;  // HWND_MESSAGE for a message-only window
  HINSTANCE instance = nullptr;
};

class OwnedWindow {
 public:
  // The object's handler: the window's own handle, the message and its two
  // parameters; returns what the window procedure returns.
  using MessageHandler =
      std::function<LRESULT(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam)>;

  OwnedWindow() = default;
  // The object this belongs to is going, so its handler hears nothing more:
  // it is unbound first, then the window is destroyed if it still exists.
  ~OwnedWindow();

  OwnedWindow(const OwnedWindow&) = delete;
  OwnedWindow& operator=(const OwnedWindow&) = delete;

  // Destroys any window this already owns, then creates one bound to the
  // handler (an empty handler leaves every message to DefWindowProcW). False
  // when CreateWindowExW fails.
  bool Create(const WindowCreation& creation, MessageHandler handler);

  // Destroys the window, if there is one, with the handler still bound: the
  // handler sees WM_DESTROY and WM_NCDESTROY.
  void Destroy();

  // The window; null before creation and after a failed one. A bound window
  // is also null from its WM_DESTROY on, whoever destroys it; an unbound one
  // is not told when its parent takes it along.
  HWND get() const { return window_; }

  // The window procedure of every class whose windows are bound. Windows of
  // such a class are created through Create only: the creation parameter must
  // be the OwnedWindow.
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  // Registers a class of the module whose windows are bound (Procedure, the
  // arrow cursor, the class style and icon given, nothing else) unless it is
  // registered already; true when it is. The one registration path of the
  // project: whoever registers a class decides whether it is ever unregistered.
  static bool RegisterBoundClass(HINSTANCE instance, const wchar_t* class_name, UINT style = 0,
                                 HICON icon = nullptr);

 private:
  // The OwnedWindow bound to the window, or null.
  static OwnedWindow* BoundTo(HWND hwnd);

  LRESULT Route(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_ = nullptr;
  MessageHandler handler_;
};

#endif  // KOVI_WIN32_OWNED_WINDOW_H_
