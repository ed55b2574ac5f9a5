// kovi.exe's entry point: a GUI program (no console of its own) whose whole
// life is RunApplication on the thread that enters here.
#include <windows.h>

#include "shell/application.h"

int APIENTRY wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous_instance*/,
                      wchar_t* /*command_line*/, int /*show_command*/) {
  // The module handle, the command line and the show command are fetched where
  // they are needed, or ignored: the window is created hidden.
  return RunApplication();
}
