// A hook that the stand-in embedding library offers to plugins, beyond the
// embedding interface: the stand-in window-manager plugin calls it when it is
// registered, and from then on the application can show, focus, measure and
// close the top-level window through the channel "kovi/window".
//
// The channel speaks plain UTF-8 text, not the standard method codec: the
// message is a command, the reply its outcome.
//   "show"   shows the top-level window and brings it to the foreground  -> "ok"
//   "focus"  brings it to the foreground and focuses the view           -> "ok"
//   "close"  posts WM_CLOSE to it, as a user closing it would            -> "ok"
//   "bounds" its window rectangle                            -> "x y width height"
//   anything else                                            -> "unknown command"
// Without the plugin the channel has no handler and every reply is empty.
//
// A plugin finds the hook at run time (EnableStandinWindowControl below), so
// it also loads in a process whose embedding library is another one (the
// recording fake of the unit tests), where the hook is simply absent.
#ifndef KOVI_STANDINS_FLUTTER_WINDOWS_WINDOW_CONTROL_HOOK_H_
#define KOVI_STANDINS_FLUTTER_WINDOWS_WINDOW_CONTROL_HOOK_H_

#include <windows.h>

#include "embedding/flutter_desktop.h"

extern "C" {

FLUTTER_DESKTOP_EXPORT void KoviStandinEnableWindowControl(
    FlutterDesktopPluginRegistrarRef registrar);

typedef void (*KoviStandinEnableWindowControlFn)(FlutterDesktopPluginRegistrarRef registrar);

}  // extern "C"

// Calls the hook when the process's embedding library is the stand-in.
inline void EnableStandinWindowControl(FlutterDesktopPluginRegistrarRef registrar) {
  HMODULE library = GetModuleHandleW(L"flutter_windows.dll");
  if (library == nullptr) {
    return;
  }
  auto hook = reinterpret_cast<KoviStandinEnableWindowControlFn>(
      reinterpret_cast<void*>(GetProcAddress(library, "KoviStandinEnableWindowControl")));
  if (hook != nullptr) {
    hook(registrar);
  }
}

#endif  // KOVI_STANDINS_FLUTTER_WINDOWS_WINDOW_CONTROL_HOOK_H_
