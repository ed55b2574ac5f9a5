// CommandLineArgumentsUtf8: the process's command-line arguments, as UTF-8,
// for the Dart entry point. Main thread, during start-up.
#ifndef KOVI_SHELL_COMMAND_LINE_H_
#define KOVI_SHELL_COMMAND_LINE_H_

#include <string>
#include <vector>

// Every argument after the program name, split by the system's rules and
// converted to UTF-8, in order. An argument that does not convert (ill-formed
// UTF-16) keeps its position as an empty string; a command line that cannot
// be split gives no arguments.
std::vector<std::string> CommandLineArgumentsUtf8();

#endif  // KOVI_SHELL_COMMAND_LINE_H_
