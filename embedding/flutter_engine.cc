#include "embedding/flutter_engine.h"

#include <utility>
#include <vector>

#include "embedding/binary_messenger_impl.h"
#include "embedding/engine_project.h"
#include "errors/error_line.h"

namespace flutter {
namespace {

// Fills the properties record from the project and creates the engine. The
// strings stay the project's; the argument pointer array lives only for the call.
FlutterDesktopEngineRef CreateEngine(const EngineProject& project) {
  std::vector<const char*> arguments;
  arguments.reserve(project.entrypoint_arguments.size());
  for (const std::string& argument : project.entrypoint_arguments) {
    arguments.push_back(argument.c_str());
  }
  FlutterDesktopEngineProperties properties = {};
  properties.assets_path = project.assets_folder.c_str();
  properties.icu_data_path = project.icu_data_file.c_str();
  properties.aot_library_path = project.aot_library_file.c_str();
  properties.dart_entrypoint = project.entrypoint.c_str();
  properties.dart_entrypoint_argc = static_cast<int32_t>(arguments.size());
  properties.reserved = 0;
  properties.dart_entrypoint_argv = arguments.empty() ? nullptr : arguments.data();
  properties.engine_option_1 = project.engine_option_1;
  properties.engine_option_2 = project.engine_option_2;
  return FlutterDesktopEngineCreate(&properties);
}

}  // namespace

FlutterEngine::FlutterEngine(const EngineProject& project)
    : engine_(CreateEngine(project)),
      messenger_(std::make_unique<BinaryMessengerImpl>(FlutterDesktopEngineGetMessenger(engine_))) {
}

FlutterEngine::~FlutterEngine() {
  if (engine_ && owns_engine_) {
    FlutterDesktopEngineDestroy(engine_);
  }
  engine_ = nullptr;
  next_frame_callback_ = nullptr;
  messenger_.reset();
}

FlutterDesktopPluginRegistrarRef FlutterEngine::GetPluginRegistrar(const std::string& plugin_name) {
  if (!engine_) {
    WriteErrorLine("Cannot get plugin registrar on an engine that isn't running; call Run first.");
    return nullptr;
  }
  return FlutterDesktopEngineGetPluginRegistrar(engine_, plugin_name.c_str());
}

BinaryMessenger* FlutterEngine::GetMessenger() {
  return messenger_.get();
}

void FlutterEngine::ReloadSystemFonts() {
  FlutterDesktopEngineReloadSystemFonts(engine_);
}

void FlutterEngine::SetNextFrameCallback(std::function<void()> callback) {
  next_frame_callback_ = std::move(callback);
  FlutterDesktopEngineSetNextFrameCallback(engine_, OnNextFrame, this);
}

FlutterDesktopEngineRef FlutterEngine::DetachEngineHandle() {
  owns_engine_ = false;
  return engine_;
}

void FlutterEngine::OnNextFrame(void* user_data) {
  auto* engine = static_cast<FlutterEngine*>(user_data);
  // Taken out before it runs, so a callback that registers the next one keeps it.
  std::function<void()> callback = std::move(engine->next_frame_callback_);
  engine->next_frame_callback_ = nullptr;
  if (callback) {
    callback();
  }
}

}  // namespace flutter
