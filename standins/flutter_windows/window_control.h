// The handler of the stand-in's window-control channel (see
// window_control_hook.h): runs the command on the engine's top-level window
// and answers it. UI thread.
#ifndef KOVI_STANDINS_FLUTTER_WINDOWS_WINDOW_CONTROL_H_
#define KOVI_STANDINS_FLUTTER_WINDOWS_WINDOW_CONTROL_H_

#include "standins/flutter_windows/standin_engine.h"

inline constexpr char kWindowControlChannel[] = "kovi/window";

// Installs the handler on the engine's messenger.
void EnableWindowControl(StandinEngine* engine);

#endif  // KOVI_STANDINS_FLUTTER_WINDOWS_WINDOW_CONTROL_H_
