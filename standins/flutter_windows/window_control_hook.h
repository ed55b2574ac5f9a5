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
#ifndef KOVI_STANDINS_FLUTTER_WINDOWS_WINDOW_CONTROL_HOOK_H_
#define KOVI_STANDINS_FLUTTER_WINDOWS_WINDOW_CONTROL_HOOK_H_

#include "embedding/flutter_desktop.h"

extern "C" {

FLUTTER_DESKTOP_EXPORT void KoviStandinEnableWindowControl(
    FlutterDesktopPluginRegistrarRef registrar);

}  // extern "C"

#endif  // KOVI_STANDINS_FLUTTER_WINDOWS_WINDOW_CONTROL_HOOK_H_
