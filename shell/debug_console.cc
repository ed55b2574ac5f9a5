#include "shell/debug_console.h"

#include <windows.h>

#include <io.h>

#include <cstdio>
#include <ios>

#include "embedding/flutter_desktop_windows.h"

namespace {

constexpr int kStandardOutputDescriptor = 1;
constexpr int kStandardErrorDescriptor = 2;

// Reopens the stream on the console. When that fails, the descriptor is made a
// copy of standard output's, provided standard output still has one (after
// its own failed reopening it has none, and the runtime treats duplicating a
// missing descriptor as a fatal misuse).
void ReopenOnConsole(FILE* stream, int descriptor) {
  FILE* reopened = nullptr;
  if (freopen_s(&reopened, "CONOUT$", "w", stream) == 0) {
    return;
  }
  const int standard_output = _fileno(stdout);
  if (standard_output >= 0) {
    _dup2(standard_output, descriptor);
  }
}

}  // namespace

void OpenDebugConsole() {
  if (!AllocConsole()) {
    return;
  }
  ReopenOnConsole(stdout, kStandardOutputDescriptor);
  ReopenOnConsole(stderr, kStandardErrorDescriptor);
  std::ios_base::sync_with_stdio(true);
  FlutterDesktopResyncOutputStreams();
}
