// The exported C interface of the stand-in embedding library. Every function of
// flutter_desktop.h and flutter_desktop_windows.h is defined here.
#include "embedding/flutter_desktop.h"
#include "embedding/flutter_desktop_windows.h"

extern "C" {

FlutterDesktopEngineRef FlutterDesktopEngineCreate(const FlutterDesktopEngineProperties*) {
  return nullptr;
}
bool FlutterDesktopEngineDestroy(FlutterDesktopEngineRef) {
  return true;
}
FlutterDesktopMessengerRef FlutterDesktopEngineGetMessenger(FlutterDesktopEngineRef) {
  return nullptr;
}
FlutterDesktopPluginRegistrarRef FlutterDesktopEngineGetPluginRegistrar(FlutterDesktopEngineRef,
                                                                        const char*) {
  return nullptr;
}
void FlutterDesktopEngineReloadSystemFonts(FlutterDesktopEngineRef) {}
void FlutterDesktopEngineSetNextFrameCallback(FlutterDesktopEngineRef, FlutterDesktopVoidCallback,
                                              void*) {}
void FlutterDesktopMessengerSetCallback(FlutterDesktopMessengerRef, const char*,
                                        FlutterDesktopMessageCallback, void*) {}
bool FlutterDesktopMessengerSend(FlutterDesktopMessengerRef, const char*, const uint8_t*, size_t) {
  return false;
}
bool FlutterDesktopMessengerSendWithReply(FlutterDesktopMessengerRef, const char*, const uint8_t*,
                                          size_t, FlutterDesktopBinaryReply, void*) {
  return false;
}
void FlutterDesktopMessengerSendResponse(FlutterDesktopMessengerRef,
                                         const FlutterDesktopMessageResponseHandle*, const uint8_t*,
                                         size_t) {}
FlutterDesktopMessengerRef FlutterDesktopMessengerAddRef(FlutterDesktopMessengerRef messenger) {
  return messenger;
}
void FlutterDesktopMessengerRelease(FlutterDesktopMessengerRef) {}
bool FlutterDesktopMessengerIsAvailable(FlutterDesktopMessengerRef) {
  return false;
}
FlutterDesktopMessengerRef FlutterDesktopMessengerLock(FlutterDesktopMessengerRef messenger) {
  return messenger;
}
void FlutterDesktopMessengerUnlock(FlutterDesktopMessengerRef) {}

FlutterDesktopViewControllerRef FlutterDesktopViewControllerCreate(int32_t, int32_t,
                                                                   FlutterDesktopEngineRef) {
  return nullptr;
}
void FlutterDesktopViewControllerDestroy(FlutterDesktopViewControllerRef) {}
FlutterDesktopViewRef FlutterDesktopViewControllerGetView(FlutterDesktopViewControllerRef) {
  return nullptr;
}
void FlutterDesktopViewControllerForceRedraw(FlutterDesktopViewControllerRef) {}
bool FlutterDesktopViewControllerHandleTopLevelWindowProc(FlutterDesktopViewControllerRef, HWND,
                                                          UINT, WPARAM, LPARAM, LRESULT*) {
  return false;
}
HWND FlutterDesktopViewGetHWND(FlutterDesktopViewRef) {
  return nullptr;
}
UINT FlutterDesktopGetDpiForMonitor(HMONITOR) {
  return 96;
}
void FlutterDesktopResyncOutputStreams(void) {}

}  // extern "C"
