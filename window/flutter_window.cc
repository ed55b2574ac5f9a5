#include "window/flutter_window.h"

#include <optional>

#include "capture/raw_mouse_capture.h"
#include "embedding/flutter_engine.h"
#include "embedding/flutter_view.h"
#include "embedding/flutter_view_controller.h"
#include "embedding/plugin_registrant.h"

FlutterWindow::FlutterWindow(const EngineProject& project) : project_(project) {}

FlutterWindow::~FlutterWindow() {
  ReleaseFlutter();
}

LRESULT FlutterWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (raw_mouse_capture_ &&
      raw_mouse_capture_->HandleWindowMessage(hwnd, message, wparam, lparam)) {
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  LRESULT result = 0;
  if (OfferToViewController(hwnd, message, wparam, lparam, &result)) {
    return result;
  }
  if (message == WM_FONTCHANGE) {
    ReloadSystemFonts();
  }
  return Win32Window::HandleMessage(hwnd, message, wparam, lparam);
}

bool FlutterWindow::OnWindowCreated() {
  if (!Win32Window::OnWindowCreated()) {
    return false;
  }
  const RECT frame = ClientArea();
  view_controller_ = std::make_unique<flutter::FlutterViewController>(
      frame.right - frame.left, frame.bottom - frame.top, project_);
  flutter::FlutterEngine* engine = view_controller_->GetEngine();
  flutter::FlutterView* view = view_controller_->GetView();
  if (engine == nullptr || view == nullptr) {
    return false;
  }
  RegisterPlugins(engine);
  AttachContent(view->GetHWND());
  // The capture registers raw input for, and runs its timer on, the top-level
  // window: that is where the messages it consumes arrive.
  raw_mouse_capture_ = std::make_unique<RawMouseCapture>(engine, NativeHandle());
  engine->SetNextFrameCallback([]() {});
  view_controller_->ForceRedraw();
  return true;
}

void FlutterWindow::OnWindowDestroying() {
  ReleaseFlutter();
  Win32Window::OnWindowDestroying();
}

bool FlutterWindow::OfferToViewController(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                          LRESULT* result) {
  if (!view_controller_) {
    return false;
  }
  std::optional<LRESULT> answer =
      view_controller_->HandleTopLevelWindowProc(hwnd, message, wparam, lparam);
  if (!answer) {
    return false;
  }
  *result = *answer;
  return true;
}

void FlutterWindow::ReloadSystemFonts() {
  if (view_controller_ && view_controller_->GetEngine() != nullptr) {
    view_controller_->GetEngine()->ReloadSystemFonts();
  }
}

void FlutterWindow::ReleaseFlutter() {
  // The capture goes first: stopping a running capture sends its last counts
  // through the engine's messenger. Each field is cleared before its object is
  // destroyed (reset does so), so a message that arrives while it is being
  // destroyed finds it gone.
  raw_mouse_capture_.reset();
  view_controller_.reset();
}
