// Win32Window: the application's top-level Win32 window. It registers the
// shared window class, creates a hidden, DPI-scaled overlapped window, routes
// every message of that window to the virtual HandleMessage of its object,
// keeps one child content window filling the client area and focused, follows
// DPI changes and the user's app theme in the title bar, and can end the
// message loop when the window is destroyed.
//
// Ownership: the object owns its native window through an OwnedWindow, which
// routes the window's messages to the object and forgets the window once it
// is destroyed, whoever destroys it; the destructor destroys a window that is
// still there. The window keeps the object's address, so the object is
// neither copyable nor movable. The content window belongs to whoever created
// it; this object only re-parents, positions and focuses it.
//
// Threading: every operation, and every message, runs on the thread that
// created the window (the process's UI thread).
#ifndef KOVI_WINDOW_WIN32_WINDOW_H_
#define KOVI_WINDOW_WIN32_WINDOW_H_

#include <windows.h>

#include <cstdint>
#include <string>

#include "win32/owned_window.h"

// Where the window goes, in logical units (pixels at 96 dots per inch).
struct WindowOrigin {
  int32_t x;
  int32_t y;
};

// How large the window is, in logical units.
struct WindowSize {
  uint32_t width;
  uint32_t height;
};

// The value multiplied by the scale factor and truncated toward zero
// (110 dots per inch turns 100 into 114, not 115). A product beyond the 32-bit
// range, which only a nonsensical resolution can give, is clamped to it.
int32_t ScaleToPixels(int32_t value, double scale_factor);

class Win32Window {
 public:
  Win32Window();
  virtual ~Win32Window();

  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  // Destroys any window this object already has, then creates a hidden
  // overlapped window with the title, the origin and the size scaled to the
  // resolution of the monitor nearest the (unscaled) origin. True when the
  // window exists and OnWindowCreated agreed; after a false OnWindowCreated the
  // hidden window still exists until DestroyNativeWindow or the destructor.
  bool CreateNativeWindow(const std::wstring& title, const WindowOrigin& origin,
                          const WindowSize& size);

  // Runs the destroy hook, destroys the native window if there is one, and
  // unregisters the window class once no window object is left.
  void DestroyNativeWindow();

  // When set, the destruction of the native window posts the quit message.
  void SetQuitWhenClosed(bool quit_when_closed);

  // Makes the given window this window's child content: it fills the client
  // area and takes the focus.
  void AttachContent(HWND content);

  // The native window, or null when there is none.
  HWND NativeHandle() const { return native_window_.get(); }

  // The native window's client rectangle.
  RECT ClientArea() const;

 protected:
  // The per-window message handler, for every message after WM_NCCREATE.
  // Handles destroy, size, activation, DPI and colourisation changes and
  // passes everything else to DefWindowProcW with the message's own handle.
  virtual LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  // Called at the end of a successful native window creation; false fails it.
  virtual bool OnWindowCreated();

  // Called when the native window is about to be destroyed (possibly twice:
  // from DestroyNativeWindow and again from WM_DESTROY).
  virtual void OnWindowDestroying();

 private:
  // Every message of the native window from WM_NCCREATE on: WM_NCCREATE lets
  // the system scale the non-client area, every later one goes to HandleMessage.
  LRESULT RouteMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  void OnDestroyMessage();
  void FitContentToClientArea() const;
  void FocusContent() const;
  static void MoveToSuggestedRect(HWND hwnd, const RECT* suggested);

  bool quit_when_closed_ = false;
  OwnedWindow native_window_;
  HWND content_window_ = nullptr;
};

#endif  // KOVI_WINDOW_WIN32_WINDOW_H_
