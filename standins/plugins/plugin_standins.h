// The test hooks of the three plugin stand-in libraries (not part of the
// system; the real plugins are absent here). Each stand-in exports its plugin's
// registration function and one extra function that installs an observer; the
// observer is told of every registration call with the plugin's name and the
// registrar it got, so a test can place the calls among the library calls it
// records. Install a null observer to stop observing.
#ifndef KOVI_STANDINS_PLUGINS_PLUGIN_STANDINS_H_
#define KOVI_STANDINS_PLUGINS_PLUGIN_STANDINS_H_

#include "embedding/flutter_desktop.h"
#include "embedding/plugin_registration_functions.h"

extern "C" {

typedef void (*PluginStandInObserver)(void* context, const char* plugin_name,
                                      FlutterDesktopPluginRegistrarRef registrar);

KOVI_PLUGIN_EXPORT void ScreenRetrieverPluginStandInObserve(PluginStandInObserver observer,
                                                            void* context);
KOVI_PLUGIN_EXPORT void UrlLauncherWindowsStandInObserve(PluginStandInObserver observer,
                                                         void* context);
KOVI_PLUGIN_EXPORT void WindowManagerPluginStandInObserve(PluginStandInObserver observer,
                                                          void* context);

}  // extern "C"

#endif  // KOVI_STANDINS_PLUGINS_PLUGIN_STANDINS_H_
