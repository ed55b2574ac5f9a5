// Stand-in for url_launcher_windows_plugin.dll: registers nothing and only tells an observing test
// that it was called.
#include "embedding/plugin_registration_functions.h"
#include "standins/plugins/standin_registration.h"

namespace {

StandInRegistration registration("UrlLauncherWindows");

}  // namespace

extern "C" {

void UrlLauncherWindowsStandInObserve(PluginStandInObserver observer, void* context) {
  registration.Observe(observer, context);
}

void UrlLauncherWindowsRegisterWithRegistrar(FlutterDesktopPluginRegistrarRef registrar) {
  registration.Registered(registrar);
}

}  // extern "C"
