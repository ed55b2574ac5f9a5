// RawMouseCapture: measures a mouse's polling rate. While a capture runs, the
// top-level window is registered for raw mouse input, every raw mouse packet is
// counted, and a 10 ms window timer samples and resets the count; every fifth
// tick the pending per-tick counts go to the listener of "kovi/raw_mouse_events"
// as one list of 32-bit integers. Pointer acceleration is switched off and the
// timer resolution raised to 1 ms for the duration of a capture, and restored
// at its stop. The Dart side drives it on "kovi/raw_mouse".
//
// The content window owns one instance, offers it every top-level window
// message first and destroys it before the engine. The object owns its two
// channel objects and the current event sink; it uses the engine only while it
// is constructed. Everything runs on the window's thread.
#ifndef KOVI_CAPTURE_RAW_MOUSE_CAPTURE_H_
#define KOVI_CAPTURE_RAW_MOUSE_CAPTURE_H_

#include <windows.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace flutter {
class EventChannel;
class EventSink;
class FlutterEngine;
class MethodCall;
class MethodChannel;
class MethodResult;
}  // namespace flutter

class RawMouseCapture {
 public:
  // Identifier of the capture timer on the window: "RMH\0" read big-endian.
  static constexpr UINT_PTR kCaptureTimerId = 0x524D4800;
  // Per-tick counts kept while nobody listens: one minute of 10 ms ticks. A
  // listener gets the backlog in its first batch; beyond this bound the oldest
  // counts are dropped, so a capture nobody listens to keeps its memory flat
  // and a late listener's first event stays small.
  static constexpr size_t kMaxPendingTicks = 6000;

  // Opens the two channels on the engine's messenger. A null engine opens none:
  // the capture then works for whoever attaches a sink directly.
  RawMouseCapture(flutter::FlutterEngine* engine, HWND hwnd);
  // Stops a running capture (its last counts are sent), then removes the
  // channels' handlers so no later message can reach this object.
  ~RawMouseCapture();

  RawMouseCapture(const RawMouseCapture&) = delete;
  RawMouseCapture& operator=(const RawMouseCapture&) = delete;

  // True when the message was consumed: raw input while a capture runs, and
  // every tick of the capture timer. The window handle is not used.
  bool HandleWindowMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  // Both idempotent. A refused raw input registration leaves the capture idle.
  void StartCapture();
  void StopCapture();

  // The listener's sink: replaced (the old one destroyed) on listen, dropped on
  // cancel. Independent of whether a capture runs.
  void AttachEventSink(std::unique_ptr<flutter::EventSink> sink);
  void DetachEventSink();

 private:
  void SetUpChannels(flutter::FlutterEngine* engine);
  void HandleMethodCall(const flutter::MethodCall& call,
                        std::unique_ptr<flutter::MethodResult> result);
  void ProcessRawInput(HRAWINPUT input);
  void CountMousePacket(HANDLE device);
  void RunRateClock();
  void Tick();
  void AppendTickCount(int32_t count);
  void FlushTickCounts();

  HWND hwnd_;
  std::atomic<bool> capturing_{false};
  std::atomic<int32_t> tick_packet_count_{0};
  std::vector<int32_t> tick_counts_;
  std::unique_ptr<flutter::MethodChannel> method_channel_;
  std::unique_ptr<flutter::EventChannel> event_channel_;
  std::unique_ptr<flutter::EventSink> event_sink_;
  int32_t ticks_since_flush_ = 0;
  bool mouse_params_saved_ = false;
  int32_t saved_mouse_params_[3] = {0, 0, 0};
};

#endif  // KOVI_CAPTURE_RAW_MOUSE_CAPTURE_H_
