// bare_receiver: shows a window, brings it to the foreground, registers it for
// raw mouse input (usage page 1, usage 2, RIDEV_NOLEGACY) and counts WM_INPUT
// messages for a given time, doing nothing else with them. The baseline that
// kovi's counts are compared with under the same conditions.
//
//   bare_receiver.exe [--seconds S] [--at X,Y,WIDTH,HEIGHT] [--sink] [--quiet S]
//
// With --sink the window stays hidden and registers with RIDEV_INPUTSINK as
// well, so it counts the same packets as the foreground program running beside
// it: a baseline measured in the same run instead of the run before.
// With --quiet it stops early, once packets have arrived and then none for S
// seconds: a busy machine may start the mouse late or deliver its packets
// late, and a fixed counting time would cut them off.
//
// Prints "bare_receiver: ready" once it counts (start the mouse then) and
// "bare_receiver: N WM_INPUT in T s" at the end. Exit code 0, or 1 when the
// window or the registration failed.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>

#include "win32/owned_window.h"

namespace {

constexpr wchar_t kClassName[] = L"KOVI_BARE_RECEIVER";
unsigned long long input_count = 0;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INPUT) {
    ++input_count;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kSettle(300);

using Seconds = std::chrono::duration<double>;

// Dispatches messages for the given time, or until packets have arrived and
// then none for `quiet` (zero: never).
void PumpMessages(Seconds duration, Seconds quiet = Seconds(0)) {
  const Clock::time_point start = Clock::now();
  Clock::time_point last_input = start;
  unsigned long long seen = input_count;
  MSG message;
  while (Clock::now() - start < duration) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (input_count != seen) {
      seen = input_count;
      last_input = Clock::now();
    } else if (quiet.count() > 0 && seen > 0 && Clock::now() - last_input >= quiet) {
      return;
    }
  }
}

struct Options {
  double seconds = 5;
  double quiet = 0;
  bool sink = false;
  RECT bounds{320, 100, 1600, 900};
};

Options ParseOptions(int argc, wchar_t** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    bool has_value = i + 1 < argc;
    if (std::wcscmp(argv[i], L"--sink") == 0) {
      options.sink = true;
    } else if (std::wcscmp(argv[i], L"--seconds") == 0 && has_value) {
      options.seconds = std::wcstod(argv[++i], nullptr);
    } else if (std::wcscmp(argv[i], L"--quiet") == 0 && has_value) {
      options.quiet = std::wcstod(argv[++i], nullptr);
    } else if (std::wcscmp(argv[i], L"--at") == 0 && has_value) {
      int x = 0, y = 0, width = 0, height = 0;
      if (std::swscanf(argv[++i], L"%d,%d,%d,%d", &x, &y, &width, &height) == 4) {
        options.bounds = RECT{x, y, x + width, y + height};
      }
    }
  }
  return options;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options = ParseOptions(argc, argv);
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kClassName;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  RegisterClassW(&window_class);
  // Its own procedure, which only counts: the window is owned, not bound.
  WindowCreation creation;
  creation.class_name = kClassName;
  creation.title = L"bare_receiver";
  creation.style = WS_OVERLAPPEDWINDOW;
  creation.x = options.bounds.left;
  creation.y = options.bounds.top;
  creation.width = options.bounds.right - options.bounds.left;
  creation.height = options.bounds.bottom - options.bounds.top;
  creation.instance = window_class.hInstance;
  OwnedWindow owned_window;
  if (!owned_window.Create(creation, nullptr)) {
    std::printf("bare_receiver: no window (error %lu)\n", GetLastError());
    return 1;
  }
  HWND window = owned_window.get();
  if (!options.sink) {
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    // The window system reports the pointer over the new window as one more
    // mouse move: counting starts once that has passed.
    PumpMessages(Seconds(kSettle));
  }
  DWORD flags = RIDEV_NOLEGACY | (options.sink ? RIDEV_INPUTSINK : 0);
  RAWINPUTDEVICE device{0x01, 0x02, flags, window};
  if (!RegisterRawInputDevices(&device, 1, sizeof(device))) {
    std::printf("bare_receiver: raw input registration refused (error %lu)\n", GetLastError());
    return 1;
  }
  std::printf("bare_receiver: ready\n");
  std::fflush(stdout);
  const Clock::time_point start = Clock::now();
  PumpMessages(Seconds(options.seconds), Seconds(options.quiet));
  double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("bare_receiver: %llu WM_INPUT in %.3f s\n", input_count, elapsed);
  std::fflush(stdout);
  return 0;
}
