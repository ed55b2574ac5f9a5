// StandInRegistration: what a plugin stand-in library keeps of its registration
// calls, inside that library: the observer a test installed. One per library,
// used on the UI thread.
#ifndef KOVI_STANDINS_PLUGINS_STANDIN_REGISTRATION_H_
#define KOVI_STANDINS_PLUGINS_STANDIN_REGISTRATION_H_

#include "standins/plugins/plugin_standins.h"

class StandInRegistration {
 public:
  explicit constexpr StandInRegistration(const char* plugin_name) : plugin_name_(plugin_name) {}

  void Observe(PluginStandInObserver observer, void* context) {
    observer_ = observer;
    context_ = context;
  }

  // Tells the observer, if any, of one registration call.
  void Registered(FlutterDesktopPluginRegistrarRef registrar) const {
    if (observer_) {
      observer_(context_, plugin_name_, registrar);
    }
  }

 private:
  const char* plugin_name_;
  PluginStandInObserver observer_ = nullptr;
  void* context_ = nullptr;
};

#endif  // KOVI_STANDINS_PLUGINS_STANDIN_REGISTRATION_H_
