// The stand-in engine's view: a real child window that paints what the
// application shows (a few lines of text). It is created inside a hidden
// holder window of its own, since a child window needs a parent before the
// host re-parents it into the top-level window. UI thread only.
#ifndef KOVI_STANDINS_FLUTTER_WINDOWS_STANDIN_VIEW_H_
#define KOVI_STANDINS_FLUTTER_WINDOWS_STANDIN_VIEW_H_

#include <windows.h>

#include <memory>
#include <string>

#include "win32/owned_window.h"

class StandinView {
 public:
  // Null when a window cannot be created.
  static std::unique_ptr<StandinView> Create(int width, int height);
  StandinView(const StandinView&) = delete;
  StandinView& operator=(const StandinView&) = delete;

  // The view's window; null once it is destroyed (with the host's window, say).
  HWND window() const { return window_.get(); }
  // The top-level window the view currently sits in (the holder until the
  // host attaches it).
  HWND TopLevelWindow() const;

  // Replaces the text (UTF-8, '\n' between lines) and schedules a repaint,
  // unless the window is gone.
  void SetText(const std::string& utf8_text);
  // Paints now when the view is visible.
  void Redraw();

 private:
  StandinView() = default;
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  void Paint();

  // The holder goes last: the view may still sit in it.
  OwnedWindow holder_;
  OwnedWindow window_;
  std::wstring text_;
};

#endif  // KOVI_STANDINS_FLUTTER_WINDOWS_STANDIN_VIEW_H_
