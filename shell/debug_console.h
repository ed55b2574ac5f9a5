// OpenDebugConsole: gives a GUI process that runs under a debugger a console
// of its own and points the standard output and error streams at it.
// Main thread, during start-up, before any window or engine exists.
#ifndef KOVI_SHELL_DEBUG_CONSOLE_H_
#define KOVI_SHELL_DEBUG_CONSOLE_H_

// Allocates a console; when that works, reopens standard output and standard
// error on it (a stream that cannot be reopened follows standard output),
// synchronises the standard library's streams with them and lets the
// embedding library resynchronise its own output. Does nothing when no
// console can be allocated (for example because the process has one).
void OpenDebugConsole();

#endif  // KOVI_SHELL_DEBUG_CONSOLE_H_
