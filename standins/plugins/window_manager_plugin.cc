// Stand-in for window_manager_plugin.dll: tells an observing test that it was called, and
// lets the application show, focus and close the top-level window through the stand-in
// engine's window-control hook (standins/flutter_windows/window_control_hook.h).
#include "embedding/plugin_registration_functions.h"
#include "standins/flutter_windows/window_control_hook.h"
#include "standins/plugins/standin_registration.h"

namespace {

StandInRegistration registration("WindowManagerPlugin");

}  // namespace

extern "C" {

void WindowManagerPluginStandInObserve(PluginStandInObserver observer, void* context) {
  registration.Observe(observer, context);
}

void WindowManagerPluginRegisterWithRegistrar(FlutterDesktopPluginRegistrarRef registrar) {
  registration.Registered(registrar);
  EnableStandinWindowControl(registrar);
}

}  // extern "C"
