// FlutterWindow: the top-level window with the Flutter view inside it. Once its
// native window exists it brings up the view controller (and with it the
// engine), registers the plugins, embeds the view as the content window and
// creates the raw mouse capture that serves "kovi/raw_mouse" and
// "kovi/raw_mouse_events". It fixes the order in which every top-level message
// is handled: the capture, then the view controller, then the font rule, then
// the plain window handling of Win32Window.
//
// Ownership: the window owns its copy of the project, the view controller and
// the capture object, each exclusively. The capture object keeps a plain
// pointer to the controller's engine and sends through its messenger when a
// running capture stops, so it must never outlive the controller: it is always
// destroyed first (on WM_DESTROY and in the destructor).
//
// Threading: UI thread only, like Win32Window.
#ifndef KOVI_WINDOW_FLUTTER_WINDOW_H_
#define KOVI_WINDOW_FLUTTER_WINDOW_H_

#include <windows.h>

#include <memory>

#include "embedding/engine_project.h"
#include "window/win32_window.h"

class RawMouseCapture;

namespace flutter {
class FlutterViewController;
}  // namespace flutter

class FlutterWindow : public Win32Window {
 public:
  // Copies the project; nothing else happens until CreateNativeWindow.
  explicit FlutterWindow(const EngineProject& project);
  // Releases the capture object, then the view controller, then the project,
  // then the native window (only still there after a failed creation).
  ~FlutterWindow() override;

 protected:
  // Capture first (a consumed message goes straight to DefWindowProcW), then
  // the view controller (its result is final), then WM_FONTCHANGE reloads the
  // engine's fonts, then Win32Window's handling.
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) override;

  // Creates the view controller at the client area's size; false when it has
  // no engine or no view (the failed controller stays until destruction).
  bool OnWindowCreated() override;

  // Destroys the capture object, then the view controller, with no message
  // handled in between.
  void OnWindowDestroying() override;

 private:
  // Offers the message to the view controller; true with *result set when it
  // consumed it.
  bool OfferToViewController(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                             LRESULT* result);
  void ReloadSystemFonts();
  void ReleaseFlutter();

  EngineProject project_;
  std::unique_ptr<flutter::FlutterViewController> view_controller_;
  std::unique_ptr<RawMouseCapture> raw_mouse_capture_;
};

#endif  // KOVI_WINDOW_FLUTTER_WINDOW_H_
