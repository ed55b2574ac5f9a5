// PluginRegistry: hands out the embedding library's registrar for a plugin by
// name. The engine wrapper is the one registry of the system; plugins are
// registered through it during window creation, on the UI thread.
#ifndef KOVI_EMBEDDING_PLUGIN_REGISTRY_H_
#define KOVI_EMBEDDING_PLUGIN_REGISTRY_H_

#include <string>

#include "embedding/flutter_desktop.h"

namespace flutter {

class PluginRegistry {
 public:
  virtual ~PluginRegistry() = default;

  // The registrar for the named plugin, owned by the library; null when there is none.
  virtual FlutterDesktopPluginRegistrarRef GetPluginRegistrar(const std::string& plugin_name) = 0;
};

}  // namespace flutter

#endif  // KOVI_EMBEDDING_PLUGIN_REGISTRY_H_
