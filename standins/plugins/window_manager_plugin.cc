// Stand-in for window_manager_plugin.dll: registers nothing and only tells an observing test
// that it was called.
#include "embedding/plugin_registration_functions.h"
#include "standins/plugins/standin_registration.h"

namespace {

StandInRegistration registration("WindowManagerPlugin");

}  // namespace

extern "C" {

PLUGIN_STANDIN_EXPORT void WindowManagerPluginStandInObserve(PluginStandInObserver observer,
                                                             void* context) {
  registration.Observe(observer, context);
}

PLUGIN_STANDIN_EXPORT void WindowManagerPluginRegisterWithRegistrar(
    FlutterDesktopPluginRegistrarRef registrar) {
  registration.Registered(registrar);
}

}  // extern "C"
