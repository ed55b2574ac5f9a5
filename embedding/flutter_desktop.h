// The portable part of the C interface exported by the embedding library
// (flutter_windows.dll): engine, messenger and plugin registrar. Declarations
// that carry Win32 types live in flutter_desktop_windows.h.
//
// Every function is called, and every callback runs, on the UI thread, except
// the messenger's lock, availability and response functions, which a reply may
// call from any thread. Handles are opaque and owned by the library.
#ifndef KOVI_EMBEDDING_FLUTTER_DESKTOP_H_
#define KOVI_EMBEDDING_FLUTTER_DESKTOP_H_

#include <cstddef>
#include <cstdint>

// A library that provides these functions defines FLUTTER_DESKTOP_BUILDING_LIBRARY.
// Callers need no import attribute: the import library's thunks resolve them.
#if defined(_WIN32) && defined(FLUTTER_DESKTOP_BUILDING_LIBRARY)
#define FLUTTER_DESKTOP_EXPORT __declspec(dllexport)
#else
#define FLUTTER_DESKTOP_EXPORT
#endif

extern "C" {

typedef struct FlutterDesktopEngine* FlutterDesktopEngineRef;
typedef struct FlutterDesktopMessenger* FlutterDesktopMessengerRef;
typedef struct FlutterDesktopPluginRegistrar* FlutterDesktopPluginRegistrarRef;
typedef struct FlutterDesktopMessageResponseHandle FlutterDesktopMessageResponseHandle;

// What the engine is started on. The caller fills it on its stack; the library
// reads it only during FlutterDesktopEngineCreate. 56 bytes, little-endian.
typedef struct {
  const wchar_t* assets_path;         // 0: the assets folder, NUL-terminated
  const wchar_t* icu_data_path;       // 8: the ICU data file
  const wchar_t* aot_library_path;    // 16: the ahead-of-time compiled application
  const char* dart_entrypoint;        // 24: entry-point name; never null, may be empty
  int32_t dart_entrypoint_argc;       // 32: number of entry-point arguments
  int32_t reserved;                   // 36: always zero
  const char** dart_entrypoint_argv;  // 40: UTF-8 arguments in order; null when argc is 0
  int32_t engine_option_1;            // 48: passed through unchanged
  int32_t engine_option_2;            // 52: passed through unchanged
} FlutterDesktopEngineProperties;

static_assert(sizeof(void*) == 8, "the interface records are laid out for 64-bit processes");
static_assert(offsetof(FlutterDesktopEngineProperties, assets_path) == 0, "layout");
static_assert(offsetof(FlutterDesktopEngineProperties, icu_data_path) == 8, "layout");
static_assert(offsetof(FlutterDesktopEngineProperties, aot_library_path) == 16, "layout");
static_assert(offsetof(FlutterDesktopEngineProperties, dart_entrypoint) == 24, "layout");
static_assert(offsetof(FlutterDesktopEngineProperties, dart_entrypoint_argc) == 32, "layout");
static_assert(offsetof(FlutterDesktopEngineProperties, reserved) == 36, "layout");
static_assert(offsetof(FlutterDesktopEngineProperties, dart_entrypoint_argv) == 40, "layout");
static_assert(offsetof(FlutterDesktopEngineProperties, engine_option_1) == 48, "layout");
static_assert(offsetof(FlutterDesktopEngineProperties, engine_option_2) == 52, "layout");
static_assert(sizeof(FlutterDesktopEngineProperties) == 56, "layout");

// One incoming channel message, valid only during the callback that receives it.
// The host reads message, message_size and response_handle; the first two fields
// are the library's.
typedef struct {
  size_t struct_size;                                          // 0
  const char* channel;                                         // 8
  const uint8_t* message;                                      // 16
  size_t message_size;                                         // 24
  const FlutterDesktopMessageResponseHandle* response_handle;  // 32
} FlutterDesktopMessage;

static_assert(offsetof(FlutterDesktopMessage, message) == 16, "layout");
static_assert(offsetof(FlutterDesktopMessage, message_size) == 24, "layout");
static_assert(offsetof(FlutterDesktopMessage, response_handle) == 32, "layout");

typedef void (*FlutterDesktopMessageCallback)(FlutterDesktopMessengerRef messenger,
                                              const FlutterDesktopMessage* message,
                                              void* user_data);
typedef void (*FlutterDesktopBinaryReply)(const uint8_t* data, size_t data_size, void* user_data);
typedef void (*FlutterDesktopVoidCallback)(void* user_data);

// Engine.
FLUTTER_DESKTOP_EXPORT FlutterDesktopEngineRef
FlutterDesktopEngineCreate(const FlutterDesktopEngineProperties* engine_properties);
FLUTTER_DESKTOP_EXPORT bool FlutterDesktopEngineDestroy(FlutterDesktopEngineRef engine);
FLUTTER_DESKTOP_EXPORT FlutterDesktopMessengerRef
FlutterDesktopEngineGetMessenger(FlutterDesktopEngineRef engine);
FLUTTER_DESKTOP_EXPORT FlutterDesktopPluginRegistrarRef
FlutterDesktopEngineGetPluginRegistrar(FlutterDesktopEngineRef engine, const char* plugin_name);
FLUTTER_DESKTOP_EXPORT void FlutterDesktopEngineReloadSystemFonts(FlutterDesktopEngineRef engine);
FLUTTER_DESKTOP_EXPORT void FlutterDesktopEngineSetNextFrameCallback(
    FlutterDesktopEngineRef engine, FlutterDesktopVoidCallback callback, void* user_data);

// Messenger.
FLUTTER_DESKTOP_EXPORT void FlutterDesktopMessengerSetCallback(
    FlutterDesktopMessengerRef messenger, const char* channel,
    FlutterDesktopMessageCallback callback, void* user_data);
FLUTTER_DESKTOP_EXPORT bool FlutterDesktopMessengerSend(FlutterDesktopMessengerRef messenger,
                                                        const char* channel, const uint8_t* message,
                                                        size_t message_size);
FLUTTER_DESKTOP_EXPORT bool FlutterDesktopMessengerSendWithReply(
    FlutterDesktopMessengerRef messenger, const char* channel, const uint8_t* message,
    size_t message_size, FlutterDesktopBinaryReply reply, void* user_data);
FLUTTER_DESKTOP_EXPORT void FlutterDesktopMessengerSendResponse(
    FlutterDesktopMessengerRef messenger, const FlutterDesktopMessageResponseHandle* handle,
    const uint8_t* data, size_t data_length);
FLUTTER_DESKTOP_EXPORT FlutterDesktopMessengerRef
FlutterDesktopMessengerAddRef(FlutterDesktopMessengerRef messenger);
FLUTTER_DESKTOP_EXPORT void FlutterDesktopMessengerRelease(FlutterDesktopMessengerRef messenger);
FLUTTER_DESKTOP_EXPORT bool FlutterDesktopMessengerIsAvailable(
    FlutterDesktopMessengerRef messenger);
FLUTTER_DESKTOP_EXPORT FlutterDesktopMessengerRef
FlutterDesktopMessengerLock(FlutterDesktopMessengerRef messenger);
FLUTTER_DESKTOP_EXPORT void FlutterDesktopMessengerUnlock(FlutterDesktopMessengerRef messenger);

}  // extern "C"

#endif  // KOVI_EMBEDDING_FLUTTER_DESKTOP_H_
