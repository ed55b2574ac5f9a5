// The Windows half of the recording fake: view controller, view, monitor DPI and
// the console hook of flutter_desktop_windows.h.
#include "tests/support/fake_embedding_windows.h"

#include <utility>

#include "tests/support/fake_embedding_state.h"

namespace fake_embedding {

using internal::State;
using internal::WithState;

FlutterDesktopViewControllerRef ControllerHandle() {
  return internal::FromToken<FlutterDesktopViewControllerRef>(internal::kControllerToken);
}

FlutterDesktopViewRef ViewHandle() {
  return internal::FromToken<FlutterDesktopViewRef>(internal::kViewToken);
}

HWND FakeViewHwnd() {
  return internal::FromToken<HWND>(internal::kViewHwndToken);
}

void SetViewControllerCreateFails(bool fails) {
  WithState([&](State& state) { return state.view_controller_fails = fails; });
}

void SetViewHwnd(HWND hwnd) {
  WithState([&](State& state) { return state.view_hwnd = reinterpret_cast<uintptr_t>(hwnd); });
}

void SetTopLevelWindowProcAnswer(std::optional<LRESULT> answer) {
  WithState([&](State& state) { state.window_proc_answer = answer; });
}

void SetMonitorDpi(UINT dpi) {
  WithState([&](State& state) { return state.monitor_dpi = dpi; });
}

}  // namespace fake_embedding

using fake_embedding::internal::MakeCall;
using fake_embedding::internal::Record;
using fake_embedding::internal::State;
using fake_embedding::internal::WithState;

extern "C" {

FlutterDesktopViewControllerRef FlutterDesktopViewControllerCreate(int32_t width, int32_t height,
                                                                   FlutterDesktopEngineRef engine) {
  fake_embedding::Call call = MakeCall("FlutterDesktopViewControllerCreate", engine);
  call.numbers = {width, height};
  Record(std::move(call));
  return WithState([](State& state) -> FlutterDesktopViewControllerRef {
    if (state.view_controller_fails) {
      // The library owns the engine even when it refuses the view: it ends it.
      fake_embedding::internal::EndEngine(state);
      return nullptr;
    }
    return fake_embedding::ControllerHandle();
  });
}

void FlutterDesktopViewControllerDestroy(FlutterDesktopViewControllerRef controller) {
  Record(MakeCall("FlutterDesktopViewControllerDestroy", controller));
  WithState([](State& state) { fake_embedding::internal::EndEngine(state); });
}

FlutterDesktopViewRef FlutterDesktopViewControllerGetView(
    FlutterDesktopViewControllerRef controller) {
  Record(MakeCall("FlutterDesktopViewControllerGetView", controller));
  return fake_embedding::ViewHandle();
}

void FlutterDesktopViewControllerForceRedraw(FlutterDesktopViewControllerRef controller) {
  Record(MakeCall("FlutterDesktopViewControllerForceRedraw", controller));
}

bool FlutterDesktopViewControllerHandleTopLevelWindowProc(
    FlutterDesktopViewControllerRef controller, HWND hwnd, UINT message, WPARAM wparam,
    LPARAM lparam, LRESULT* result) {
  fake_embedding::Call call =
      MakeCall("FlutterDesktopViewControllerHandleTopLevelWindowProc", controller);
  call.handle = hwnd;
  call.numbers = {static_cast<int64_t>(message), static_cast<int64_t>(wparam),
                  static_cast<int64_t>(lparam)};
  Record(std::move(call));
  const std::optional<int64_t> answer =
      WithState([](State& state) { return state.window_proc_answer; });
  // Not consumed: the result variable gets junk, which the caller must ignore.
  constexpr LRESULT kJunk = 0x0BADF00D;
  if (result) {
    *result = answer ? static_cast<LRESULT>(*answer) : kJunk;
  }
  return answer.has_value();
}

HWND FlutterDesktopViewGetHWND(FlutterDesktopViewRef view) {
  Record(MakeCall("FlutterDesktopViewGetHWND", view));
  return WithState(
      [](State& state) { return fake_embedding::internal::FromToken<HWND>(state.view_hwnd); });
}

UINT FlutterDesktopGetDpiForMonitor(HMONITOR monitor) {
  fake_embedding::Call call = MakeCall("FlutterDesktopGetDpiForMonitor", nullptr);
  call.handle = monitor;
  Record(std::move(call));
  return WithState([](State& state) { return static_cast<UINT>(state.monitor_dpi); });
}

void FlutterDesktopResyncOutputStreams(void) {
  Record(MakeCall("FlutterDesktopResyncOutputStreams", nullptr));
}

}  // extern "C"
