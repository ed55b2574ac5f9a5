#include "shell/command_line.h"

#include <windows.h>

#include <shellapi.h>

#include "shell/utf16_to_utf8.h"
#include "win32/handle_traits.h"

std::vector<std::string> CommandLineArgumentsUtf8() {
  int argument_count = 0;
  const ScopedLocalMemory<wchar_t*> arguments(
      CommandLineToArgvW(GetCommandLineW(), &argument_count));
  std::vector<std::string> utf8_arguments;
  if (!arguments) {
    return utf8_arguments;
  }
  // Index 0 is the program name, which the Dart side does not get.
  for (int i = 1; i < argument_count; ++i) {
    utf8_arguments.push_back(Utf16ToUtf8(arguments.get()[i]));
  }
  return utf8_arguments;
}
