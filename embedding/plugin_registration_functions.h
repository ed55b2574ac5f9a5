// The registration functions of the plugin libraries the application is linked
// with (embedding/plugin_list.h names them); each takes the registrar the
// library gave for its plugin (which may be null) and is called once, on the
// UI thread, during window creation.
#ifndef KOVI_EMBEDDING_PLUGIN_REGISTRATION_FUNCTIONS_H_
#define KOVI_EMBEDDING_PLUGIN_REGISTRATION_FUNCTIONS_H_

#include "embedding/flutter_desktop.h"
#include "embedding/plugin_list.h"

// A plugin library defines KOVI_PLUGIN_BUILDING_LIBRARY and exports what it
// defines of these; callers need no import attribute (the import library's
// thunks resolve them).
#if defined(_WIN32) && defined(KOVI_PLUGIN_BUILDING_LIBRARY)
#define KOVI_PLUGIN_EXPORT __declspec(dllexport)
#else
#define KOVI_PLUGIN_EXPORT
#endif

extern "C" {

#define KOVI_DECLARE_PLUGIN_REGISTRATION(key, function) \
  KOVI_PLUGIN_EXPORT void function(FlutterDesktopPluginRegistrarRef registrar);
KOVI_PLUGIN_LIST(KOVI_DECLARE_PLUGIN_REGISTRATION)
#undef KOVI_DECLARE_PLUGIN_REGISTRATION

}  // extern "C"

#endif  // KOVI_EMBEDDING_PLUGIN_REGISTRATION_FUNCTIONS_H_
