// The registration functions of the plugin libraries the application is linked
// with (embedding/plugin_list.h names them); each takes the registrar the
// library gave for its plugin (which may be null) and is called once, on the
// UI thread, during window creation.
#ifndef KOVI_EMBEDDING_PLUGIN_REGISTRATION_FUNCTIONS_H_
#define KOVI_EMBEDDING_PLUGIN_REGISTRATION_FUNCTIONS_H_

#include "embedding/flutter_desktop.h"
#include "embedding/plugin_list.h"

extern "C" {

#define KOVI_DECLARE_PLUGIN_REGISTRATION(key, function) \
  void function(FlutterDesktopPluginRegistrarRef registrar);
KOVI_PLUGIN_LIST(KOVI_DECLARE_PLUGIN_REGISTRATION)
#undef KOVI_DECLARE_PLUGIN_REGISTRATION

}  // extern "C"

#endif  // KOVI_EMBEDDING_PLUGIN_REGISTRATION_FUNCTIONS_H_
