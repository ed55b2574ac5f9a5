// desktop_keeper: one long-lived process on the test prefix's desktop.
//
//   desktop_keeper.exe SECONDS
//
// Under Wine the desktop window belongs to explorer.exe, which starts with the
// first process that needs a window and quits about a second after the last
// one has gone. A test run starts hundreds of short processes, so without a
// keeper explorer would start and quit many times during the run, and a test
// could meet it half started or half gone. The keeper creates a hidden
// top-level window once (the desktop and its display driver must be usable,
// or it says so and exits 1), prints "desktop_keeper: ready", then waits,
// answering its messages, until it is ended or SECONDS have passed.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

bool DesktopHostsATopLevelWindow() {
  HWND window = CreateWindowExW(0, L"STATIC", L"desktop_keeper", WS_OVERLAPPED, 0, 0, 10, 10,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) {
    std::fprintf(stderr, "desktop_keeper: no top-level window (GetLastError %lu)\n",
                 GetLastError());
    return false;
  }
  DestroyWindow(window);
  return true;
}

void WaitAnsweringMessages(DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&message);
    }
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const long seconds = argc == 2 ? std::wcstol(argv[1], nullptr, 10) : 0;
  if (seconds <= 0 || seconds > 86400) {
    std::fprintf(stderr, "usage: desktop_keeper SECONDS (1 to 86400)\n");
    return 2;
  }
  if (!DesktopHostsATopLevelWindow()) {
    return 1;
  }
  std::printf("desktop_keeper: ready\n");
  std::fflush(stdout);
  WaitAnsweringMessages(static_cast<DWORD>(seconds) * 1000);
  return 0;
}
