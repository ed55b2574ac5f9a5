#include "standins/flutter_windows/window_control.h"

#include <string>

namespace {

std::string RunCommand(StandinEngine* engine, const std::string& command) {
  StandinView* view = engine->view();
  if (view == nullptr) {
    return "no view";
  }
  HWND top_level = view->TopLevelWindow();
  if (command == "show") {
    ShowWindow(top_level, SW_SHOWNORMAL);
    SetForegroundWindow(top_level);
    SetFocus(view->window());
    return "ok";
  }
  if (command == "focus") {
    SetForegroundWindow(top_level);
    SetFocus(view->window());
    return "ok";
  }
  if (command == "close") {
    PostMessageW(top_level, WM_CLOSE, 0, 0);
    return "ok";
  }
  if (command == "bounds") {
    RECT bounds{};
    GetWindowRect(top_level, &bounds);
    return std::to_string(bounds.left) + " " + std::to_string(bounds.top) + " " +
           std::to_string(bounds.right - bounds.left) + " " +
           std::to_string(bounds.bottom - bounds.top);
  }
  return "unknown command";
}

void HandleWindowControl(FlutterDesktopMessengerRef, const FlutterDesktopMessage* message,
                         void* user_data) {
  auto* engine = static_cast<StandinEngine*>(user_data);
  std::string command;
  if (message->message != nullptr) {
    command.assign(reinterpret_cast<const char*>(message->message), message->message_size);
  }
  std::string reply = RunCommand(engine, command);
  engine->messenger()->Lock();
  engine->Respond(message->response_handle, reinterpret_cast<const uint8_t*>(reply.data()),
                  reply.size());
  engine->messenger()->Unlock();
}

}  // namespace

void EnableWindowControl(StandinEngine* engine) {
  engine->SetHostCallback(kWindowControlChannel, &HandleWindowControl, engine);
}
