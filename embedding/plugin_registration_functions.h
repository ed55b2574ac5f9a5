// The registration functions of the three plugin libraries the application is
// linked with; each takes the registrar the library gave for its plugin (which
// may be null) and is called once, on the UI thread, during window creation.
#ifndef KOVI_EMBEDDING_PLUGIN_REGISTRATION_FUNCTIONS_H_
#define KOVI_EMBEDDING_PLUGIN_REGISTRATION_FUNCTIONS_H_

#include "embedding/flutter_desktop.h"

extern "C" {

// screen_retriever_plugin.dll
void ScreenRetrieverPluginRegisterWithRegistrar(FlutterDesktopPluginRegistrarRef registrar);
// url_launcher_windows_plugin.dll
void UrlLauncherWindowsRegisterWithRegistrar(FlutterDesktopPluginRegistrarRef registrar);
// window_manager_plugin.dll
void WindowManagerPluginRegisterWithRegistrar(FlutterDesktopPluginRegistrarRef registrar);

}  // extern "C"

#endif  // KOVI_EMBEDDING_PLUGIN_REGISTRATION_FUNCTIONS_H_
