// The exported C interface of the stand-in embedding library: every function
// of flutter_desktop.h and flutter_desktop_windows.h, plus the plugin hook of
// window_control_hook.h. Each one maps its handles onto the stand-in's objects
// and does nothing for a null handle.
#include <shellscalingapi.h>

#include <memory>
#include <string>

#include "embedding/flutter_desktop.h"
#include "embedding/flutter_desktop_windows.h"
#include "standins/flutter_windows/standin_engine.h"
#include "standins/flutter_windows/window_control.h"
#include "standins/flutter_windows/window_control_hook.h"

// The library's view controller: it owns the engine from its creation on.
struct FlutterDesktopViewController {
  std::unique_ptr<StandinEngine> engine;
};

namespace {

StandinEngine* ToEngine(FlutterDesktopEngineRef engine) {
  return reinterpret_cast<StandinEngine*>(engine);
}

StandinMessenger* ToMessenger(FlutterDesktopMessengerRef messenger) {
  return reinterpret_cast<StandinMessenger*>(messenger);
}

FlutterDesktopMessengerRef ToRef(StandinMessenger* messenger) {
  return reinterpret_cast<FlutterDesktopMessengerRef>(messenger);
}

// The engine behind a messenger while it runs, or null. The caller holds the
// messenger lock when the answer must stay valid.
StandinEngine* EngineOf(FlutterDesktopMessengerRef messenger) {
  return messenger == nullptr ? nullptr : ToMessenger(messenger)->engine();
}

}  // namespace

extern "C" {

FlutterDesktopEngineRef FlutterDesktopEngineCreate(
    const FlutterDesktopEngineProperties* engine_properties) {
  if (engine_properties == nullptr) {
    return nullptr;
  }
  return reinterpret_cast<FlutterDesktopEngineRef>(
      StandinEngine::Create(*engine_properties).release());
}

bool FlutterDesktopEngineDestroy(FlutterDesktopEngineRef engine) {
  delete ToEngine(engine);
  return true;
}

FlutterDesktopMessengerRef FlutterDesktopEngineGetMessenger(FlutterDesktopEngineRef engine) {
  return engine == nullptr ? nullptr : ToRef(ToEngine(engine)->messenger());
}

FlutterDesktopPluginRegistrarRef FlutterDesktopEngineGetPluginRegistrar(
    FlutterDesktopEngineRef engine, const char* plugin_name) {
  if (engine == nullptr || plugin_name == nullptr) {
    return nullptr;
  }
  return ToEngine(engine)->GetRegistrar(plugin_name);
}

void FlutterDesktopEngineReloadSystemFonts(FlutterDesktopEngineRef engine) {
  if (engine != nullptr) {
    ToEngine(engine)->ReloadSystemFonts();
  }
}

void FlutterDesktopEngineSetNextFrameCallback(FlutterDesktopEngineRef engine,
                                              FlutterDesktopVoidCallback callback,
                                              void* user_data) {
  if (engine != nullptr) {
    ToEngine(engine)->SetNextFrameCallback(callback, user_data);
  }
}

void FlutterDesktopMessengerSetCallback(FlutterDesktopMessengerRef messenger, const char* channel,
                                        FlutterDesktopMessageCallback callback, void* user_data) {
  StandinEngine* engine = EngineOf(messenger);
  if (engine != nullptr && channel != nullptr) {
    engine->SetHostCallback(channel, callback, user_data);
  }
}

bool FlutterDesktopMessengerSend(FlutterDesktopMessengerRef messenger, const char* channel,
                                 const uint8_t* message, size_t message_size) {
  return FlutterDesktopMessengerSendWithReply(messenger, channel, message, message_size, nullptr,
                                              nullptr);
}

bool FlutterDesktopMessengerSendWithReply(FlutterDesktopMessengerRef messenger, const char* channel,
                                          const uint8_t* message, size_t message_size,
                                          FlutterDesktopBinaryReply reply, void* user_data) {
  StandinEngine* engine = EngineOf(messenger);
  if (engine == nullptr || channel == nullptr) {
    return false;
  }
  return engine->SendToApp(channel, message, message_size, reply, user_data);
}

void FlutterDesktopMessengerSendResponse(FlutterDesktopMessengerRef messenger,
                                         const FlutterDesktopMessageResponseHandle* handle,
                                         const uint8_t* data, size_t data_length) {
  if (messenger == nullptr) {
    return;
  }
  StandinMessenger* target = ToMessenger(messenger);
  target->Lock();
  StandinEngine* engine = target->engine();
  if (engine != nullptr) {
    engine->Respond(handle, data, data_length);
  }
  target->Unlock();
}

FlutterDesktopMessengerRef FlutterDesktopMessengerAddRef(FlutterDesktopMessengerRef messenger) {
  return messenger == nullptr ? nullptr : ToRef(ToMessenger(messenger)->AddRef());
}

void FlutterDesktopMessengerRelease(FlutterDesktopMessengerRef messenger) {
  if (messenger != nullptr) {
    ToMessenger(messenger)->Release();
  }
}

bool FlutterDesktopMessengerIsAvailable(FlutterDesktopMessengerRef messenger) {
  return messenger != nullptr && ToMessenger(messenger)->IsAvailable();
}

FlutterDesktopMessengerRef FlutterDesktopMessengerLock(FlutterDesktopMessengerRef messenger) {
  if (messenger != nullptr) {
    ToMessenger(messenger)->Lock();
  }
  return messenger;
}

void FlutterDesktopMessengerUnlock(FlutterDesktopMessengerRef messenger) {
  if (messenger != nullptr) {
    ToMessenger(messenger)->Unlock();
  }
}

FlutterDesktopViewControllerRef FlutterDesktopViewControllerCreate(int32_t width, int32_t height,
                                                                   FlutterDesktopEngineRef engine) {
  if (engine == nullptr) {
    return nullptr;
  }
  auto controller = std::make_unique<FlutterDesktopViewController>();
  controller->engine.reset(ToEngine(engine));
  if (!controller->engine->Run(width, height)) {
    return nullptr;  // The engine goes with the controller.
  }
  return controller.release();
}

void FlutterDesktopViewControllerDestroy(FlutterDesktopViewControllerRef controller) {
  delete controller;
}

FlutterDesktopViewRef FlutterDesktopViewControllerGetView(
    FlutterDesktopViewControllerRef controller) {
  if (controller == nullptr) {
    return nullptr;
  }
  return reinterpret_cast<FlutterDesktopViewRef>(controller->engine->view());
}

void FlutterDesktopViewControllerForceRedraw(FlutterDesktopViewControllerRef controller) {
  if (controller != nullptr) {
    controller->engine->ForceRedraw();
  }
}

bool FlutterDesktopViewControllerHandleTopLevelWindowProc(
    FlutterDesktopViewControllerRef controller, HWND, UINT message, WPARAM, LPARAM, LRESULT*) {
  if (controller != nullptr) {
    controller->engine->ObserveTopLevelMessage(message);
  }
  return false;
}

HWND FlutterDesktopViewGetHWND(FlutterDesktopViewRef view) {
  return view == nullptr ? nullptr : reinterpret_cast<StandinView*>(view)->window();
}

UINT FlutterDesktopGetDpiForMonitor(HMONITOR monitor) {
  UINT dpi_x = 0;
  UINT dpi_y = 0;
  if (SUCCEEDED(GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpi_x, &dpi_y)) && dpi_x != 0) {
    return dpi_x;
  }
  HDC screen = GetDC(nullptr);
  int dpi = screen == nullptr ? 0 : GetDeviceCaps(screen, LOGPIXELSX);
  if (screen != nullptr) {
    ReleaseDC(nullptr, screen);
  }
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

// The library's output goes through the C runtime's shared streams, which the
// host has already reopened.
void FlutterDesktopResyncOutputStreams(void) {}

void KoviStandinEnableWindowControl(FlutterDesktopPluginRegistrarRef registrar) {
  if (registrar != nullptr) {
    EnableWindowControl(registrar->engine);
  }
}

}  // extern "C"
