// FlutterEngine: one engine of the embedding library, created from the engine
// project. It owns the engine's messenger wrapper, is the plugin registry, and
// runs a one-shot callback after the next frame. It destroys the engine it
// created unless the engine was handed over (DetachEngineHandle), in which case
// it keeps using the handle but the new owner ends the engine. UI thread only.
//
// The library keeps the wrapper's address for the next-frame callback, so the
// wrapper is neither copied nor moved.
#ifndef KOVI_EMBEDDING_FLUTTER_ENGINE_H_
#define KOVI_EMBEDDING_FLUTTER_ENGINE_H_

#include <functional>
#include <memory>
#include <string>

#include "embedding/flutter_desktop.h"
#include "embedding/plugin_registry.h"

class EngineProject;

namespace flutter {

class BinaryMessenger;
class BinaryMessengerImpl;

class FlutterEngine : public PluginRegistry {
 public:
  // Creates the library's engine and its messenger; the project is read only here.
  // A failed creation is not detected here: the handle is then null.
  explicit FlutterEngine(const EngineProject& project);
  ~FlutterEngine() override;

  FlutterEngine(const FlutterEngine&) = delete;
  FlutterEngine& operator=(const FlutterEngine&) = delete;

  // The library's registrar for the plugin; with no engine handle, one line on
  // the standard error stream and null.
  FlutterDesktopPluginRegistrarRef GetPluginRegistrar(const std::string& plugin_name) override;

  // The messenger, owned by the wrapper.
  BinaryMessenger* GetMessenger();

  void ReloadSystemFonts();

  // Runs the callback once after the next frame; replaces (and drops uncalled) a
  // pending one.
  void SetNextFrameCallback(std::function<void()> callback);

  // Hands the engine over: the wrapper never destroys it from now on, but keeps
  // using the handle.
  FlutterDesktopEngineRef DetachEngineHandle();

 private:
  // The library's next-frame callback; the user data is the wrapper. A call with
  // no callback stored (a repeated call for one registration) does nothing.
  static void OnNextFrame(void* user_data);

  FlutterDesktopEngineRef engine_ = nullptr;
  std::unique_ptr<BinaryMessengerImpl> messenger_;
  bool owns_engine_ = true;
  std::function<void()> next_frame_callback_;
};

}  // namespace flutter

#endif  // KOVI_EMBEDDING_FLUTTER_ENGINE_H_
