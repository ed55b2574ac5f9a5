#include "capture/raw_mouse_capture.h"

#include <cstddef>
#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "capture/capture_log.h"
#include "capture/capture_system_api.h"
#include "channels/event_channel.h"
#include "channels/event_sink.h"
#include "channels/method_channel.h"
#include "channels/stream_handler_functions.h"
#include "embedding/flutter_engine.h"
#include "encoding/encodable_value.h"
#include "encoding/method_call.h"
#include "encoding/method_result.h"
#include "encoding/standard_method_codec.h"

namespace {

constexpr char kMethodChannelName[] = "kovi/raw_mouse";
constexpr char kEventChannelName[] = "kovi/raw_mouse_events";

constexpr UINT kTimerPeriodMs = 10;
constexpr int32_t kBatchTicks = 5;
constexpr uint64_t kRateLineIntervalMs = 1000;
// Records up to this size (a mouse record is 48 bytes) are read without allocation.
constexpr UINT kFixedRecordBytes = 128;
constexpr UINT kHeaderBytes = sizeof(RAWINPUTHEADER);
static_assert(kHeaderBytes == 24, "the raw input header is 24 bytes");

// Mouse: generic desktop page, usage 2.
constexpr USHORT kGenericDesktopPage = 0x01;
constexpr USHORT kMouseUsage = 0x02;

// Process-wide diagnostics state, shared by every capture object and reset at
// each start: packets since the last rate line, the time of that line, and
// whether the current capture's device has been described.
std::atomic<uint64_t> packets_since_report{0};
std::atomic<uint64_t> last_report_ms{0};
std::atomic<bool> device_reported{false};

BOOL RegisterMouse(DWORD flags, HWND target) {
  RAWINPUTDEVICE device = {kGenericDesktopPage, kMouseUsage, flags, target};
  return CaptureSystem().register_raw_input_devices(&device, 1, sizeof(device));
}

void SetMouseParams(int32_t* params) {
  CaptureSystem().system_parameters_info(SPI_SETMOUSE, 0, params, SPIF_SENDCHANGE);
}

}  // namespace

RawMouseCapture::RawMouseCapture(flutter::FlutterEngine* engine, HWND hwnd) : hwnd_(hwnd) {
  if (engine != nullptr) {
    SetUpChannels(engine);
  }
}

RawMouseCapture::~RawMouseCapture() {
  if (capturing_.load()) {
    StopCapture();
  }
  // The handlers refer to this object; the channels' messenger outlives it.
  if (method_channel_) {
    method_channel_->SetMethodCallHandler(nullptr);
  }
  if (event_channel_) {
    event_channel_->SetStreamHandler(nullptr);
  }
}

void RawMouseCapture::SetUpChannels(flutter::FlutterEngine* engine) {
  flutter::BinaryMessenger* messenger = engine->GetMessenger();
  const flutter::StandardMethodCodec* codec = &flutter::StandardMethodCodec::GetInstance();

  method_channel_ = std::make_unique<flutter::MethodChannel>(messenger, kMethodChannelName, codec);
  method_channel_->SetMethodCallHandler(
      [this](const flutter::MethodCall& call, std::unique_ptr<flutter::MethodResult> result) {
        HandleMethodCall(call, std::move(result));
      });

  event_channel_ = std::make_unique<flutter::EventChannel>(messenger, kEventChannelName, codec);
  event_channel_->SetStreamHandler(std::make_unique<flutter::StreamHandlerFunctions>(
      [this](const flutter::EncodableValue*, std::unique_ptr<flutter::EventSink>&& events)
          -> std::unique_ptr<flutter::StreamHandlerError> {
        AttachEventSink(std::move(events));
        return nullptr;
      },
      [this](const flutter::EncodableValue*) -> std::unique_ptr<flutter::StreamHandlerError> {
        DetachEventSink();
        return nullptr;
      }));
}

void RawMouseCapture::HandleMethodCall(const flutter::MethodCall& call,
                                       std::unique_ptr<flutter::MethodResult> result) {
  const std::string& method = call.method_name();
  if (method == "isSupported") {
    flutter::EncodableMap answer;
    answer.emplace(flutter::EncodableValue("supported"), flutter::EncodableValue(true));
    result->Success(flutter::EncodableValue(std::move(answer)));
  } else if (method == "startCapture") {
    StartCapture();
    result->Success();
  } else if (method == "stopCapture") {
    StopCapture();
    result->Success();
  } else {
    result->NotImplemented();
  }
}

void RawMouseCapture::AttachEventSink(std::unique_ptr<flutter::EventSink> sink) {
  event_sink_ = std::move(sink);
}

void RawMouseCapture::DetachEventSink() {
  event_sink_.reset();
}

bool RawMouseCapture::HandleWindowMessage(HWND, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INPUT) {
    if (!capturing_.load()) {
      return false;
    }
    ProcessRawInput(reinterpret_cast<HRAWINPUT>(lparam));
    return true;
  }
  if (message == WM_TIMER && wparam == kCaptureTimerId) {
    Tick();
    return true;
  }
  return false;
}

void RawMouseCapture::ProcessRawInput(HRAWINPUT input) {
  const CaptureSystemApi& system = CaptureSystem();
  UINT size = 0;
  system.get_raw_input_data(input, RID_INPUT, nullptr, &size, kHeaderBytes);
  if (size == 0) {
    return;
  }
  alignas(RAWINPUT) unsigned char fixed[kFixedRecordBytes];
  std::unique_ptr<unsigned char[]> allocated;
  unsigned char* record = fixed;
  if (size > kFixedRecordBytes) {
    allocated.reset(new (std::nothrow) unsigned char[size]);
    record = allocated.get();
  }
  // A record too short for its header, or too large to allocate, counts nothing.
  if (record != nullptr && size >= kHeaderBytes) {
    const UINT announced = size;
    if (system.get_raw_input_data(input, RID_INPUT, record, &size, kHeaderBytes) == announced) {
      RAWINPUTHEADER header;
      std::memcpy(&header, record, sizeof(header));
      if (header.dwType == RIM_TYPEMOUSE) {
        CountMousePacket(header.hDevice);
      }
    }
  }
  allocated.reset();
  RunRateClock();
}

void RawMouseCapture::CountMousePacket(HANDLE device) {
  tick_packet_count_.fetch_add(1);
  packets_since_report.fetch_add(1);
  if (!device_reported.exchange(true)) {
    LogRawDevice(device);
  }
}

void RawMouseCapture::RunRateClock() {
  const uint64_t now = CaptureSystem().steady_clock_ms();
  uint64_t last = last_report_ms.load();
  if (now - last < kRateLineIntervalMs) {
    return;
  }
  if (!last_report_ms.compare_exchange_strong(last, now)) {
    return;
  }
  LogPacketRate(packets_since_report.exchange(0));
}

void RawMouseCapture::Tick() {
  AppendTickCount(tick_packet_count_.exchange(0));
  if (++ticks_since_flush_ >= kBatchTicks) {
    FlushTickCounts();
    ticks_since_flush_ = 0;
  }
}

void RawMouseCapture::AppendTickCount(int32_t count) {
  if (tick_counts_.size() >= kMaxPendingTicks) {
    tick_counts_.erase(tick_counts_.begin(),
                       tick_counts_.end() - static_cast<std::ptrdiff_t>(kMaxPendingTicks - 1));
  }
  tick_counts_.push_back(count);
}

void RawMouseCapture::FlushTickCounts() {
  if (!event_sink_ || tick_counts_.empty()) {
    return;
  }
  flutter::EncodableList batch;
  batch.reserve(tick_counts_.size());
  for (int32_t count : tick_counts_) {
    batch.emplace_back(count);
  }
  tick_counts_.clear();
  event_sink_->Success(flutter::EncodableValue(std::move(batch)));
}

void RawMouseCapture::StartCapture() {
  if (capturing_.load()) {
    return;
  }
  packets_since_report.store(0);
  last_report_ms.store(0);
  device_reported.store(false);
  if (!RegisterMouse(RIDEV_NOLEGACY, hwnd_)) {
    return;
  }
  tick_packet_count_.store(0);
  tick_counts_.clear();
  ticks_since_flush_ = 0;
  capturing_.store(true);

  const CaptureSystemApi& system = CaptureSystem();
  if (!mouse_params_saved_ &&
      system.system_parameters_info(SPI_GETMOUSE, 0, saved_mouse_params_, 0) != FALSE) {
    mouse_params_saved_ = true;
  }
  int32_t no_acceleration[3] = {0, 0, 0};
  SetMouseParams(no_acceleration);
  system.time_begin_period(1);
  system.set_timer(hwnd_, kCaptureTimerId, kTimerPeriodMs, nullptr);
}

void RawMouseCapture::StopCapture() {
  if (!capturing_.load()) {
    return;
  }
  capturing_.store(false);
  const CaptureSystemApi& system = CaptureSystem();
  system.kill_timer(hwnd_, kCaptureTimerId);
  RegisterMouse(RIDEV_REMOVE, nullptr);
  const int32_t partial_tick = tick_packet_count_.exchange(0);
  if (partial_tick != 0) {
    AppendTickCount(partial_tick);
  }
  FlushTickCounts();
  system.time_end_period(1);
  if (mouse_params_saved_) {
    SetMouseParams(saved_mouse_params_);
  }
}
