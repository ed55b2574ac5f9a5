// RunApplication: the process's whole outer life, which wWinMain hands over to.
// It prepares the console and COM, describes the Dart application in "data"
// with the command-line arguments, creates the one top-level window (and with
// it the engine and the view), runs the message loop until that window is
// closed and tears everything down. Runs on the thread that entered the
// process, which becomes the UI thread and a COM single-threaded apartment.
#ifndef KOVI_SHELL_APPLICATION_H_
#define KOVI_SHELL_APPLICATION_H_

// The process exit code: 0 after the window was closed, 1 when it could not
// be created (the message loop is then never entered).
int RunApplication();

#endif  // KOVI_SHELL_APPLICATION_H_
