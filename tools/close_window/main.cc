// close_window: posts WM_CLOSE to the top-level window of a class (and title),
// as the close button would. Used by the system tests to close kovi from
// outside while it runs.
//
//   close_window.exe CLASS [TITLE]
//
// Exit code 0 when the message was posted, 1 when no such window exists.
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: close_window CLASS [TITLE]\n");
    return 2;
  }
  HWND window = FindWindowW(argv[1], argc > 2 ? argv[2] : nullptr);
  if (window == nullptr || !PostMessageW(window, WM_CLOSE, 0, 0)) {
    std::printf("close_window: no such window\n");
    return 1;
  }
  std::printf("close_window: WM_CLOSE posted\n");
  return 0;
}
