// The Windows part of the recording fake (flutter_desktop_windows.h): view
// controller, view, monitor DPI and the console hook. Reset() of fake_embedding.h
// restores these defaults too: view controller creation succeeds, the view's
// window is FakeViewHwnd(), the top-level window procedure consumes nothing and
// every monitor has 96 dots per inch.
#ifndef KOVI_TESTS_SUPPORT_FAKE_EMBEDDING_WINDOWS_H_
#define KOVI_TESTS_SUPPORT_FAKE_EMBEDDING_WINDOWS_H_

#include <windows.h>

#include <optional>

#include "embedding/flutter_desktop_windows.h"

namespace fake_embedding {

FlutterDesktopViewControllerRef ControllerHandle();
FlutterDesktopViewRef ViewHandle();
// The default window handle the view reports: a token, not a real window.
HWND FakeViewHwnd();

void SetViewControllerCreateFails(bool fails);
void SetViewHwnd(HWND hwnd);
// With a value, the window procedure hook consumes every message and answers it;
// with none, it consumes nothing (and scribbles on the result variable, which the
// caller must not read).
void SetTopLevelWindowProcAnswer(std::optional<LRESULT> answer);
void SetMonitorDpi(UINT dpi);

}  // namespace fake_embedding

#endif  // KOVI_TESTS_SUPPORT_FAKE_EMBEDDING_WINDOWS_H_
