// RegisterPlugins: gives each of the application's plugins its registrar from the
// registry, in a fixed order. Called once by the content window right after its
// view controller is created, on the UI thread.
#ifndef KOVI_EMBEDDING_PLUGIN_REGISTRANT_H_
#define KOVI_EMBEDDING_PLUGIN_REGISTRANT_H_

#include "embedding/plugin_registry.h"

// A null registrar (no engine) is passed on to the plugin unchanged.
void RegisterPlugins(flutter::PluginRegistry* registry);

#endif  // KOVI_EMBEDDING_PLUGIN_REGISTRANT_H_
