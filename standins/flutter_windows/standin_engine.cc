#include "standins/flutter_windows/standin_engine.h"

#include <cstdio>
#include <utility>

#include "standins/flutter_windows/app_files.h"

namespace {

StandinEngine* EngineOf(void* engine) {
  return static_cast<StandinEngine*>(engine);
}

bool AppSend(void* engine, const char* channel, const uint8_t* data, size_t size,
             KoviAppReplyFn reply, void* user_data) {
  return EngineOf(engine)->SendToHost(channel, data, size, reply, user_data);
}

void AppSetMessageHandler(void* engine, const char* channel, KoviAppMessageFn handler,
                          void* user_data) {
  EngineOf(engine)->SetAppHandler(channel, handler, user_data);
}

void AppStartTimer(void* engine, uint32_t period_ms, KoviAppTimerFn timer, void* user_data) {
  EngineOf(engine)->StartAppTimer(period_ms, timer, user_data);
}

void AppCallLater(void* engine, uint32_t delay_ms, KoviAppTimerFn function, void* user_data) {
  EngineOf(engine)->CallAppLater(delay_ms, function, user_data);
}

void AppShowText(void* engine, const char* utf8_text) {
  EngineOf(engine)->ShowText(utf8_text);
}

int32_t AppEnginePhase(void* engine) {
  return EngineOf(engine)->phase();
}

std::vector<uint8_t> CopyBytes(const uint8_t* data, size_t size) {
  return data == nullptr ? std::vector<uint8_t>() : std::vector<uint8_t>(data, data + size);
}

}  // namespace

std::unique_ptr<StandinEngine> StandinEngine::Create(
    const FlutterDesktopEngineProperties& properties) {
  std::optional<AppFiles> files = FindAppFiles(properties);
  if (!files) {
    return nullptr;
  }
  std::unique_ptr<StandinEngine> engine(new StandinEngine());
  engine->app_library_ = AppLibrary::Load(files->aot_library_file);
  if (!engine->app_library_) {
    return nullptr;
  }
  engine->task_runner_ = std::make_unique<TaskRunner>();
  if (!engine->task_runner_->IsValid()) {
    std::fprintf(stderr, "flutter_windows (stand-in): cannot create the task runner window\n");
    std::fflush(stderr);
    return nullptr;
  }
  if (properties.dart_entrypoint != nullptr) {
    engine->entrypoint_ = properties.dart_entrypoint;
  }
  for (int32_t i = 0; i < properties.dart_entrypoint_argc; ++i) {
    const char* argument = properties.dart_entrypoint_argv[i];
    engine->arguments_.emplace_back(argument == nullptr ? "" : argument);
  }
  engine->messenger_ = new StandinMessenger(engine.get());
  KoviAppHost& host = engine->app_host_;
  host.struct_size = sizeof(KoviAppHost);
  host.engine = engine.get();
  host.send = &AppSend;
  host.set_message_handler = &AppSetMessageHandler;
  host.start_timer = &AppStartTimer;
  host.call_later = &AppCallLater;
  host.show_text = &AppShowText;
  host.engine_phase = &AppEnginePhase;
  return engine;
}

StandinEngine::~StandinEngine() {
  phase_ = kKoviAppShuttingDown;
  if (task_runner_) {
    task_runner_->StopTimers();
    // What the host sent before the shutdown reaches the application; messages
    // to the host are dropped (its handlers may already be gone).
    task_runner_->RunUntilIdle();
  }
  if (app_ != nullptr) {
    app_library_->shutdown()(app_);
    app_ = nullptr;
  }
  if (messenger_ != nullptr) {
    messenger_->Lock();
    messenger_->DetachEngine();
    for (FlutterDesktopMessageResponseHandle* handle : unanswered_) {
      delete handle;
    }
    unanswered_.clear();
    messenger_->Unlock();
    messenger_->Release();
  }
  view_.reset();
  task_runner_.reset();
}

FlutterDesktopPluginRegistrar* StandinEngine::GetRegistrar(const std::string& plugin_name) {
  std::unique_ptr<FlutterDesktopPluginRegistrar>& registrar = registrars_[plugin_name];
  if (!registrar) {
    registrar.reset(new FlutterDesktopPluginRegistrar{this, plugin_name});
  }
  return registrar.get();
}

void StandinEngine::SetNextFrameCallback(FlutterDesktopVoidCallback callback, void* user_data) {
  next_frame_callback_ = callback;
  next_frame_user_data_ = user_data;
}

bool StandinEngine::Run(int width, int height) {
  view_ = StandinView::Create(width, height);
  if (!view_) {
    std::fprintf(stderr, "flutter_windows (stand-in): cannot create the view window\n");
    std::fflush(stderr);
    return false;
  }
  // The application starts from the message loop, once the host has finished
  // setting up its channels, as Dart's main runs after the engine has started.
  task_runner_->Post([this] { StartApp(); });
  return true;
}

void StandinEngine::StartApp() {
  std::vector<const char*> argv;
  for (const std::string& argument : arguments_) {
    argv.push_back(argument.c_str());
  }
  app_ = app_library_->start()(&app_host_, entrypoint_.c_str(), static_cast<int>(argv.size()),
                               argv.data());
  if (app_ == nullptr) {
    std::fprintf(stderr, "flutter_windows (stand-in): the application did not start\n");
    std::fflush(stderr);
  }
}

void StandinEngine::ForceRedraw() {
  if (view_) {
    view_->Redraw();
  }
  FrameDrawn();
}

void StandinEngine::FrameDrawn() {
  if (next_frame_callback_ == nullptr) {
    return;
  }
  FlutterDesktopVoidCallback callback = next_frame_callback_;
  void* user_data = next_frame_user_data_;
  next_frame_callback_ = nullptr;
  next_frame_user_data_ = nullptr;
  task_runner_->Post([callback, user_data] { callback(user_data); });
}

void StandinEngine::ObserveTopLevelMessage(UINT message) {
  if (message == WM_DESTROY && phase_ == kKoviAppRunning) {
    phase_ = kKoviAppWindowClosing;
  }
}

void StandinEngine::SetHostCallback(const std::string& channel,
                                    FlutterDesktopMessageCallback callback, void* user_data) {
  if (callback == nullptr) {
    host_callbacks_.erase(channel);
  } else {
    host_callbacks_[channel] = HostCallback{callback, user_data};
  }
}

bool StandinEngine::SendToApp(const std::string& channel, const uint8_t* data, size_t size,
                              FlutterDesktopBinaryReply reply, void* user_data) {
  std::vector<uint8_t> message = CopyBytes(data, size);
  task_runner_->Post([this, channel, message] { DeliverToApp(channel, message); });
  if (reply != nullptr) {
    // The stand-in application answers no message of the host: the reply is empty.
    task_runner_->Post([reply, user_data] { reply(nullptr, 0, user_data); });
  }
  return true;
}

void StandinEngine::Respond(const FlutterDesktopMessageResponseHandle* handle, const uint8_t* data,
                            size_t size) {
  auto found = unanswered_.find(const_cast<FlutterDesktopMessageResponseHandle*>(handle));
  if (found == unanswered_.end()) {
    std::fprintf(stderr, "flutter_windows (stand-in): response to an unknown or spent handle\n");
    std::fflush(stderr);
    return;
  }
  FlutterDesktopMessageResponseHandle* pending = *found;
  unanswered_.erase(found);
  std::vector<uint8_t> reply = CopyBytes(data, size);
  task_runner_->Post([this, pending, reply] { ReplyToApp(pending, reply); });
}

bool StandinEngine::SendToHost(const std::string& channel, const uint8_t* data, size_t size,
                               KoviAppReplyFn reply, void* user_data) {
  if (phase_ == kKoviAppShuttingDown) {
    return false;
  }
  auto* handle = new FlutterDesktopMessageResponseHandle{reply, user_data};
  messenger_->Lock();
  unanswered_.insert(handle);
  messenger_->Unlock();
  std::vector<uint8_t> message = CopyBytes(data, size);
  task_runner_->Post([this, channel, message, handle] { DeliverToHost(channel, message, handle); });
  return true;
}

void StandinEngine::DeliverToHost(const std::string& channel, const std::vector<uint8_t>& message,
                                  FlutterDesktopMessageResponseHandle* handle) {
  auto found = host_callbacks_.find(channel);
  if (phase_ == kKoviAppShuttingDown) {
    return;  // The handle is freed with the other unanswered ones.
  }
  if (found == host_callbacks_.end()) {
    // Nobody listens on the channel: the application gets an empty reply.
    messenger_->Lock();
    Respond(handle, nullptr, 0);
    messenger_->Unlock();
    return;
  }
  HostCallback target = found->second;
  FlutterDesktopMessage record{sizeof(FlutterDesktopMessage), channel.c_str(),
                               message.empty() ? nullptr : message.data(), message.size(), handle};
  target.callback(reinterpret_cast<FlutterDesktopMessengerRef>(messenger_), &record,
                  target.user_data);
}

void StandinEngine::DeliverToApp(const std::string& channel, const std::vector<uint8_t>& message) {
  auto found = app_handlers_.find(channel);
  if (found == app_handlers_.end()) {
    return;
  }
  AppHandler target = found->second;
  target.handler(channel.c_str(), message.empty() ? nullptr : message.data(), message.size(),
                 target.user_data);
}

void StandinEngine::ReplyToApp(FlutterDesktopMessageResponseHandle* handle,
                               std::vector<uint8_t> reply) {
  std::unique_ptr<FlutterDesktopMessageResponseHandle> owned(handle);
  if (owned->reply != nullptr) {
    owned->reply(reply.empty() ? nullptr : reply.data(), reply.size(), owned->user_data);
  }
}

void StandinEngine::SetAppHandler(const std::string& channel, KoviAppMessageFn handler,
                                  void* user_data) {
  if (handler == nullptr) {
    app_handlers_.erase(channel);
  } else {
    app_handlers_[channel] = AppHandler{handler, user_data};
  }
}

void StandinEngine::StartAppTimer(uint32_t period_ms, KoviAppTimerFn timer, void* user_data) {
  task_runner_->StartTimer(period_ms, [timer, user_data] { timer(user_data); });
}

void StandinEngine::CallAppLater(uint32_t delay_ms, KoviAppTimerFn function, void* user_data) {
  task_runner_->PostDelayed(delay_ms, [function, user_data] { function(user_data); });
}

void StandinEngine::ShowText(const std::string& utf8_text) {
  if (view_) {
    view_->SetText(utf8_text);
  }
  FrameDrawn();
}
