// The Windows-only part of the embedding library's C interface: the view, its
// controller, monitor DPI and the console hook. Same threading and ownership
// rules as flutter_desktop.h.
#ifndef KOVI_EMBEDDING_FLUTTER_DESKTOP_WINDOWS_H_
#define KOVI_EMBEDDING_FLUTTER_DESKTOP_WINDOWS_H_

#include <windows.h>

#include "embedding/flutter_desktop.h"

extern "C" {

typedef struct FlutterDesktopViewController* FlutterDesktopViewControllerRef;
typedef struct FlutterDesktopView* FlutterDesktopViewRef;

// Creates the view and takes ownership of the engine (also when it fails).
// Returns null when the view cannot be created.
FLUTTER_DESKTOP_EXPORT FlutterDesktopViewControllerRef
FlutterDesktopViewControllerCreate(int32_t width, int32_t height, FlutterDesktopEngineRef engine);
// Ends the view and the engine.
FLUTTER_DESKTOP_EXPORT void FlutterDesktopViewControllerDestroy(
    FlutterDesktopViewControllerRef controller);
FLUTTER_DESKTOP_EXPORT FlutterDesktopViewRef
FlutterDesktopViewControllerGetView(FlutterDesktopViewControllerRef controller);
FLUTTER_DESKTOP_EXPORT void FlutterDesktopViewControllerForceRedraw(
    FlutterDesktopViewControllerRef controller);
// True when the library consumed the top-level window's message; *result then holds
// what the window procedure returns.
FLUTTER_DESKTOP_EXPORT bool FlutterDesktopViewControllerHandleTopLevelWindowProc(
    FlutterDesktopViewControllerRef controller, HWND hwnd, UINT message, WPARAM wparam,
    LPARAM lparam, LRESULT* result);
FLUTTER_DESKTOP_EXPORT HWND FlutterDesktopViewGetHWND(FlutterDesktopViewRef view);

// Dots per inch of a monitor; 96 is a scale factor of 1.
FLUTTER_DESKTOP_EXPORT UINT FlutterDesktopGetDpiForMonitor(HMONITOR monitor);
// Points the library's own output at the process's (newly reopened) standard streams.
FLUTTER_DESKTOP_EXPORT void FlutterDesktopResyncOutputStreams(void);

}  // extern "C"

#endif  // KOVI_EMBEDDING_FLUTTER_DESKTOP_WINDOWS_H_
