// PluginRegistrationNotes: while it lives, each stand-in plugin's registration
// enters the recording fake's log as the note "registered <plugin name>", with
// the registrar as the note's handle, so a test orders the registrations
// against the library calls. One at a time.
#ifndef KOVI_TESTS_SUPPORT_PLUGIN_REGISTRATION_NOTES_H_
#define KOVI_TESTS_SUPPORT_PLUGIN_REGISTRATION_NOTES_H_

#include <string>

#include "standins/plugins/plugin_standins.h"
#include "tests/support/fake_embedding.h"

class PluginRegistrationNotes {
 public:
  PluginRegistrationNotes() { ObserveEveryPlugin(&Note); }
  ~PluginRegistrationNotes() { ObserveEveryPlugin(nullptr); }
  PluginRegistrationNotes(const PluginRegistrationNotes&) = delete;
  PluginRegistrationNotes& operator=(const PluginRegistrationNotes&) = delete;

 private:
  static void Note(void*, const char* plugin_name, FlutterDesktopPluginRegistrarRef registrar) {
    fake_embedding::Note(std::string("registered ") + plugin_name, registrar);
  }
  static void ObserveEveryPlugin(PluginStandInObserver observer) {
    ScreenRetrieverPluginStandInObserve(observer, nullptr);
    UrlLauncherWindowsStandInObserve(observer, nullptr);
    WindowManagerPluginStandInObserve(observer, nullptr);
  }
};

#endif  // KOVI_TESTS_SUPPORT_PLUGIN_REGISTRATION_NOTES_H_
