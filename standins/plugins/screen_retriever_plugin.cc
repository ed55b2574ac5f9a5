// Stand-in for screen_retriever_plugin.dll: registers nothing and only tells an observing test
// that it was called.
#include "embedding/plugin_registration_functions.h"
#include "standins/plugins/standin_registration.h"

namespace {

StandInRegistration registration("ScreenRetrieverPlugin");

}  // namespace

extern "C" {

void ScreenRetrieverPluginStandInObserve(PluginStandInObserver observer, void* context) {
  registration.Observe(observer, context);
}

void ScreenRetrieverPluginRegisterWithRegistrar(FlutterDesktopPluginRegistrarRef registrar) {
  registration.Registered(registrar);
}

}  // extern "C"
