// Test helper: calls OpenDebugConsole, writes one line to standard output and
// one to standard error (each flushed), then reports on the handle it was
// given as standard output at its start what its console's screen buffer
// holds, one "console: " line per row that is not blank. A line written to
// either stream that did not reach the console reaches the report only when
// the stream still writes to that first handle.
#include <windows.h>

#include <cstdio>
#include <string>

#include "shell/debug_console.h"
#include "shell/utf16_to_utf8.h"
#include "win32/handle_traits.h"

namespace {

// Writes TEXT to HANDLE; a report that cannot be written is lost with it.
void Report(HANDLE handle, const std::string& text) {
  DWORD written = 0;
  WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// The screen buffer's rows from the top to the cursor's, blank rows and
// trailing blanks left out, as UTF-8 text.
std::string ConsoleRows(HANDLE console) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!GetConsoleScreenBufferInfo(console, &info)) {
    return "console unreadable\n";
  }
  std::string rows;
  std::wstring row(static_cast<size_t>(info.dwSize.X), L' ');
  for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
    DWORD read = 0;
    if (!ReadConsoleOutputCharacterW(console, row.data(), static_cast<DWORD>(row.size()), {0, y},
                                     &read)) {
      return rows + "console unreadable\n";
    }
    const size_t end = row.find_last_not_of(L' ', read == 0 ? 0 : read - 1);
    if (read == 0 || end == std::wstring::npos) {
      continue;
    }
    rows += "console: " + Utf16ToUtf8(row.substr(0, end + 1).c_str()) + "\n";
  }
  return rows;
}

}  // namespace

int main() {
  // Its own copy: reopening the streams may close the handles they had.
  HANDLE first_output = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), GetStdHandle(STD_OUTPUT_HANDLE), GetCurrentProcess(),
                       &first_output, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
    return 1;
  }
  const ScopedKernelHandle report(first_output);

  OpenDebugConsole();
  std::fputs("standard output\n", stdout);
  std::fflush(stdout);
  std::fputs("standard error\n", stderr);
  std::fflush(stderr);

  const ScopedKernelHandle console(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                               OPEN_EXISTING, 0, nullptr));
  Report(report.get(), console ? ConsoleRows(console.get()) : "no console\n");
  return 0;
}
