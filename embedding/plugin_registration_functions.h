// The registration functions of the three plugin libraries the application is
// linked with; each takes the registrar the library gave for its plugin (which
// may be null) and is called once, on the UI thread, during window creation.
#ifndef KOVI_EMBEDDING_PLUGIN_REGISTRATION_FUNCTIONS_H_
#define KOVI_EMBEDDING_PLUGIN_REGISTRATION_FUNCTIONS_H_

#include "embedding/flutter_desktop.h"

// A plugin library defines KOVI_PLUGIN_BUILDING_LIBRARY and exports what it
// defines of these; callers need no import attribute (the import library's
// thunks resolve them).
#if defined(_WIN32) && defined(KOVI_PLUGIN_BUILDING_LIBRARY)
#define KOVI_PLUGIN_EXPORT __declspec(dllexport)
#else
#define KOVI_PLUGIN_EXPORT
#endif

extern "C" {

// screen_retriever_plugin.dll
KOVI_PLUGIN_EXPORT void ScreenRetrieverPluginRegisterWithRegistrar(
    FlutterDesktopPluginRegistrarRef registrar);
// url_launcher_windows_plugin.dll
KOVI_PLUGIN_EXPORT void UrlLauncherWindowsRegisterWithRegistrar(
    FlutterDesktopPluginRegistrarRef registrar);
// window_manager_plugin.dll
KOVI_PLUGIN_EXPORT void WindowManagerPluginRegisterWithRegistrar(
    FlutterDesktopPluginRegistrarRef registrar);

}  // extern "C"

#endif  // KOVI_EMBEDDING_PLUGIN_REGISTRATION_FUNCTIONS_H_
