// The stand-in engine: what a FlutterDesktopEngineRef points to. It checks and
// loads the application files, owns the messenger's engine reference, the task
// runner, the view and the plugin registrars, and routes channel messages
// between the host (the C interface) and the application (standins/app_api.h),
// always asynchronously through the task runner, as a real engine posts
// platform messages. Everything runs on the UI thread except Respond, which a
// host may call from any thread under the messenger lock.
#ifndef KOVI_STANDINS_FLUTTER_WINDOWS_STANDIN_ENGINE_H_
#define KOVI_STANDINS_FLUTTER_WINDOWS_STANDIN_ENGINE_H_

#include <windows.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "embedding/flutter_desktop.h"
#include "standins/app_api.h"
#include "standins/flutter_windows/app_library.h"
#include "standins/flutter_windows/standin_messenger.h"
#include "standins/flutter_windows/standin_view.h"
#include "standins/flutter_windows/task_runner.h"

// A plugin registrar: the engine and the plugin's name. Owned by the engine.
struct FlutterDesktopPluginRegistrar {
  class StandinEngine* engine;
  std::string plugin_name;
};

// One unanswered message from the application to the host: where its reply
// goes. Owned by the engine from delivery until the host answers it.
struct FlutterDesktopMessageResponseHandle {
  KoviAppReplyFn reply;
  void* user_data;
};

class StandinEngine {
 public:
  // Null, after a line on the standard error stream, when an application file
  // is missing or the application library cannot be loaded.
  static std::unique_ptr<StandinEngine> Create(const FlutterDesktopEngineProperties& properties);
  // Shuts down: delivers what the host sent to the application, ends the
  // application, destroys the view and detaches the messenger.
  ~StandinEngine();
  StandinEngine(const StandinEngine&) = delete;
  StandinEngine& operator=(const StandinEngine&) = delete;

  StandinMessenger* messenger() const { return messenger_; }
  FlutterDesktopPluginRegistrar* GetRegistrar(const std::string& plugin_name);
  // Fonts are the system's; the view is simply drawn again.
  void ReloadSystemFonts() { ForceRedraw(); }
  void SetNextFrameCallback(FlutterDesktopVoidCallback callback, void* user_data);

  // The view controller's side: creates the view and starts the application.
  bool Run(int width, int height);
  StandinView* view() const { return view_.get(); }
  void ForceRedraw();
  void ObserveTopLevelMessage(UINT message);

  // The host's side of the messenger.
  void SetHostCallback(const std::string& channel, FlutterDesktopMessageCallback callback,
                       void* user_data);
  bool SendToApp(const std::string& channel, const uint8_t* data, size_t size,
                 FlutterDesktopBinaryReply reply, void* user_data);
  // Any thread, with the messenger lock held.
  void Respond(const FlutterDesktopMessageResponseHandle* handle, const uint8_t* data, size_t size);

  // The application's side (through the KoviAppHost table).
  bool SendToHost(const std::string& channel, const uint8_t* data, size_t size,
                  KoviAppReplyFn reply, void* user_data);
  void SetAppHandler(const std::string& channel, KoviAppMessageFn handler, void* user_data);
  void StartAppTimer(uint32_t period_ms, KoviAppTimerFn timer, void* user_data);
  void CallAppLater(uint32_t delay_ms, KoviAppTimerFn function, void* user_data);
  void ShowText(const std::string& utf8_text);
  KoviAppEnginePhase phase() const { return phase_; }

 private:
  struct HostCallback {
    FlutterDesktopMessageCallback callback;
    void* user_data;
  };
  struct AppHandler {
    KoviAppMessageFn handler;
    void* user_data;
  };

  StandinEngine() = default;
  void StartApp();
  void DeliverToHost(const std::string& channel, const std::vector<uint8_t>& message,
                     FlutterDesktopMessageResponseHandle* handle);
  void DeliverToApp(const std::string& channel, const std::vector<uint8_t>& message);
  void ReplyToApp(FlutterDesktopMessageResponseHandle* handle, std::vector<uint8_t> reply);
  void FrameDrawn();

  std::string entrypoint_;
  std::vector<std::string> arguments_;
  std::unique_ptr<AppLibrary> app_library_;
  std::unique_ptr<TaskRunner> task_runner_;
  StandinMessenger* messenger_ = nullptr;
  std::map<std::string, HostCallback> host_callbacks_;
  std::map<std::string, AppHandler> app_handlers_;
  std::map<std::string, std::unique_ptr<FlutterDesktopPluginRegistrar>> registrars_;
  // Guarded by the messenger lock.
  std::set<FlutterDesktopMessageResponseHandle*> unanswered_;
  std::unique_ptr<StandinView> view_;
  KoviAppHost app_host_{};
  KoviApp* app_ = nullptr;
  KoviAppEnginePhase phase_ = kKoviAppRunning;
  FlutterDesktopVoidCallback next_frame_callback_ = nullptr;
  void* next_frame_user_data_ = nullptr;
};

#endif  // KOVI_STANDINS_FLUTTER_WINDOWS_STANDIN_ENGINE_H_
