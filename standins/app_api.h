// The entry interface between the stand-in embedding library
// (flutter_windows.dll, standins/flutter_windows/) and the stand-in application
// it loads as the ahead-of-time library (data\app.so, standins/app/). Not part
// of the system: a real engine runs compiled Dart code instead.
//
// The library loads app.so, looks up KoviAppStart and KoviAppShutdown, and
// calls KoviAppStart once from its UI-thread task queue after the view
// controller exists. Everything the application does afterwards runs in
// callbacks on that same UI thread: replies, host messages and timers are
// delivered asynchronously, in the order they were posted, as a real engine's
// platform task runner would. KoviAppShutdown runs once when the engine shuts
// down, after every message the host sent before the shutdown has been
// delivered; the host table is invalid after it returns.
#ifndef KOVI_STANDINS_APP_API_H_
#define KOVI_STANDINS_APP_API_H_

#include <cstddef>
#include <cstdint>

extern "C" {

// The reply to one message the application sent: the host's answer bytes, or
// null and 0 for an empty reply (no handler on the channel, not implemented).
typedef void (*KoviAppReplyFn)(const uint8_t* data, size_t size, void* user_data);
// One message the host sent on a channel the application listens on.
typedef void (*KoviAppMessageFn)(const char* channel, const uint8_t* data, size_t size,
                                 void* user_data);
typedef void (*KoviAppTimerFn)(void* user_data);

// Where the engine is in its life, as seen by the application.
enum KoviAppEnginePhase {
  kKoviAppRunning = 0,
  // The host's top-level window received WM_DESTROY; the engine goes next.
  kKoviAppWindowClosing = 1,
  // The engine is shutting down and delivers what the host sent before.
  kKoviAppShuttingDown = 2,
};

// What the engine offers the application. Valid from KoviAppStart until
// KoviAppShutdown returns; every function must be called on the UI thread.
typedef struct {
  uint32_t struct_size;
  void* engine;
  // Sends a message to the host on a channel. The reply function is called
  // exactly once, later, unless the engine shuts down first. False when the
  // engine no longer accepts messages.
  bool (*send)(void* engine, const char* channel, const uint8_t* data, size_t size,
               KoviAppReplyFn reply, void* user_data);
  // Receives the host's messages on a channel; a null handler stops that.
  void (*set_message_handler)(void* engine, const char* channel, KoviAppMessageFn handler,
                              void* user_data);
  // Calls the function every period until the engine shuts down.
  void (*start_timer)(void* engine, uint32_t period_ms, KoviAppTimerFn timer, void* user_data);
  // Calls the function once, after the delay, unless the engine shuts down first.
  void (*call_later)(void* engine, uint32_t delay_ms, KoviAppTimerFn function, void* user_data);
  // Replaces what the view shows (UTF-8, lines separated by '\n') and redraws.
  void (*show_text)(void* engine, const char* utf8_text);
  // One of KoviAppEnginePhase.
  int32_t (*engine_phase)(void* engine);
} KoviAppHost;

typedef struct KoviApp KoviApp;

// The application's entry point: the entry-point name (may be empty) and the
// UTF-8 entry-point arguments, valid only during the call. Returns the
// application's state, or null when it refuses to start.
typedef KoviApp* (*KoviAppStartFn)(const KoviAppHost* host, const char* entrypoint, int argc,
                                   const char* const* argv);
typedef void (*KoviAppShutdownFn)(KoviApp* app);

}  // extern "C"

#endif  // KOVI_STANDINS_APP_API_H_
