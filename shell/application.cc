#include "shell/application.h"

#include <windows.h>

#include <objbase.h>

#include <string>
#include <utility>
#include <vector>

#include "embedding/engine_project.h"
#include "shell/command_line.h"
#include "shell/debug_console.h"
#include "window/flutter_window.h"

namespace {

constexpr int32_t kWindowWidth = 1280;
constexpr int32_t kWindowHeight = 800;
constexpr int32_t kWindowTop = 100;
constexpr const wchar_t* kWindowTitle = L"kovi";
constexpr const wchar_t* kProjectFolder = L"data";

constexpr int kExitSuccess = 0;
constexpr int kExitWindowNotCreated = 1;

// A program started from a console writes to it; under a debugger without a
// console it gets one of its own.
void PrepareConsole() {
  if (!AttachConsole(ATTACH_PARENT_PROCESS) && IsDebuggerPresent()) {
    OpenDebugConsole();
  }
}

// The window is centred on the primary screen's pixel width and 100 from the
// top, in logical units that creation scales to the monitor.
WindowOrigin CentredOrigin() {
  return WindowOrigin{(GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2, kWindowTop};
}

void RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

int RunApplication() {
  PrepareConsole();
  // A failure (the thread already in another apartment) does not stop start-up.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

  EngineProject project(kProjectFolder);
  std::vector<std::string> arguments = CommandLineArgumentsUtf8();
  project.SetEntrypointArguments(std::move(arguments));

  FlutterWindow window(project);
  const WindowSize size{static_cast<uint32_t>(kWindowWidth), static_cast<uint32_t>(kWindowHeight)};
  if (!window.CreateNativeWindow(kWindowTitle, CentredOrigin(), size)) {
    return kExitWindowNotCreated;
  }
  window.SetQuitWhenClosed(true);

  RunMessageLoop();
  CoUninitialize();
  return kExitSuccess;
}
