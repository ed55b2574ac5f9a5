// The stand-in Dart application: a polling-rate meter that drives the host the
// way the real application does. It asks "isSupported", listens on
// "kovi/raw_mouse_events", shows the window (through the stand-in
// window-control channel), starts the capture, prints and shows one live line
// per second, and after the given seconds stops the capture, cancels the
// stream and closes the window. With --hostile it first sends the hostile
// script. At shutdown it writes its transcript, summary and chart.
//
// Every line it prints starts with "meter: " and is flushed at once; the line
// "meter: capturing" announces that the capture runs. All of it runs on the
// engine's UI thread, in callbacks.
#ifndef KOVI_STANDINS_APP_METER_APP_H_
#define KOVI_STANDINS_APP_METER_APP_H_

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "standins/app/host_channels.h"
#include "standins/app/hostile_script.h"
#include "standins/app/meter_options.h"
#include "standins/app/meter_record.h"
#include "standins/app/system_probe.h"
#include "standins/app/tick_statistics.h"
#include "standins/app/transcript.h"
#include "standins/app_api.h"

class MeterApp {
 public:
  using Output = std::function<void(const std::string& line)>;

  // The host table and the probe must outlive the meter.
  MeterApp(const KoviAppHost* host, SystemProbe* probe, std::vector<std::string> arguments,
           Output output);

  void Start();
  // The engine is shutting down; every message the host sent has arrived.
  void Shutdown();

  const MeterRecord& record() const { return record_; }
  const TickStatistics& statistics() const { return statistics_; }

 private:
  enum class State { kStarting, kCapturing, kStopping, kDone };

  void Print(const std::string& line);
  void Show(const std::string& status);
  void RunHostileStep(size_t index);
  void AskSupported();
  void Listen();
  void ShowWindow();
  void QueryBounds();
  void StartCapture();
  void OnCapturing();
  void OnSecond();
  void StopCapture();
  void Cancel();
  void OnBatch(const std::vector<uint8_t>& message);
  void WriteOutputs();

  const KoviAppHost* host_;
  SystemProbe* probe_;
  Output output_;
  MeterOptions options_;
  MeterRecord record_;
  Transcript transcript_;
  HostChannels channels_;
  TickStatistics statistics_;
  std::vector<HostileStep> hostile_script_;
  State state_ = State::kStarting;
  int seconds_captured_ = 0;
  std::string live_line_;
  std::chrono::steady_clock::time_point capture_start_;
  double cpu_at_start_ = 0;
};

#endif  // KOVI_STANDINS_APP_METER_APP_H_
