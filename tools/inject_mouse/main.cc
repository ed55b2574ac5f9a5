// inject_mouse: sends relative mouse moves of zero distance through SendInput
// at a given rate for a given time; the foreground window registered for raw
// mouse input receives one WM_INPUT per move.
//
//   inject_mouse.exe --rate HZ --seconds S
//
// Why zero distance: under Wine, input that moves the cursor makes the X11
// driver warp the X pointer, and the warp comes back as extra raw motion.
// Moves of zero distance leave the pointer alone, and they bypass the X server
// and Wine's merging of queued X motion, so every one of them arrives: the
// count sent can be compared exactly with the count received. Moves that fall
// due together (the sleep between rounds is about a millisecond) go out in one
// SendInput call. Prints "inject_mouse: sent N moves in T s".
#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <cstdio>
#include <cwchar>
#include <vector>

int wmain(int argc, wchar_t** argv) {
  long rate = 1000;
  double seconds = 1;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::wcscmp(argv[i], L"--rate") == 0) {
      rate = std::wcstol(argv[i + 1], nullptr, 10);
    } else if (std::wcscmp(argv[i], L"--seconds") == 0) {
      seconds = std::wcstod(argv[i + 1], nullptr);
    }
  }
  if (rate <= 0 || seconds <= 0) {
    std::fprintf(stderr, "usage: inject_mouse --rate HZ --seconds S\n");
    return 2;
  }
  const auto total = static_cast<long long>(static_cast<double>(rate) * seconds);
  timeBeginPeriod(1);
  LARGE_INTEGER frequency{}, start{}, now{};
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  long long sent = 0;
  std::vector<INPUT> inputs;
  while (sent < total) {
    QueryPerformanceCounter(&now);
    double elapsed = static_cast<double>(now.QuadPart - start.QuadPart) /
                     static_cast<double>(frequency.QuadPart);
    long long due = static_cast<long long>(elapsed * static_cast<double>(rate));
    if (due > total) {
      due = total;
    }
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    inputs.assign(static_cast<size_t>(due - sent), move);
    if (!inputs.empty()) {
      sent += SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
    Sleep(1);
  }
  QueryPerformanceCounter(&now);
  timeEndPeriod(1);
  std::printf(
      "inject_mouse: sent %lld moves in %.3f s\n", sent,
      static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
  return 0;
}
