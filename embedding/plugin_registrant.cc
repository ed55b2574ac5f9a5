#include "embedding/plugin_registrant.h"

#include <string>

#include "embedding/plugin_list.h"
#include "embedding/plugin_registration_functions.h"

namespace {

struct Plugin {
  const char* name;  // the registrar key
  void (*register_with_registrar)(FlutterDesktopPluginRegistrarRef registrar);
};

// In registration order.
#define KOVI_PLUGIN_ROW(key, function) {key, function},
const Plugin kPlugins[] = {KOVI_PLUGIN_LIST(KOVI_PLUGIN_ROW)};
#undef KOVI_PLUGIN_ROW

}  // namespace

void RegisterPlugins(flutter::PluginRegistry* registry) {
  for (const Plugin& plugin : kPlugins) {
    const std::string name = plugin.name;
    plugin.register_with_registrar(registry->GetPluginRegistrar(name));
  }
}
