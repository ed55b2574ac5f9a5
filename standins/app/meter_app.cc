#include "standins/app/meter_app.h"

#include <cstdio>
#include <utility>

#include "standins/app/envelope.h"
#include "standins/app/hex.h"
#include "standins/app/meter_summary.h"
#include "standins/app/printable_text.h"
#include "standins/app/rate_chart.h"

namespace {

constexpr char kControlChannel[] = "kovi/raw_mouse";
constexpr char kEventsChannel[] = "kovi/raw_mouse_events";
constexpr char kWindowChannel[] = "kovi/window";
constexpr uint32_t kSettleMs = 300;

std::vector<uint8_t> Text(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

std::string AsText(const std::vector<uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

bool WriteFile(const std::string& path, const std::string& content) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    return false;
  }
  bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  return std::fclose(file) == 0 && written;
}

bool IsSupportedReply(const std::vector<uint8_t>& reply) {
  Envelope envelope = DecodeEnvelope(reply);
  const auto* map = std::get_if<flutter::EncodableMap>(&envelope.value);
  if (envelope.kind != Envelope::Kind::kSuccess || map == nullptr) {
    return false;
  }
  auto found = map->find(flutter::EncodableValue("supported"));
  const bool* supported = found == map->end() ? nullptr : std::get_if<bool>(&found->second);
  return supported != nullptr && *supported;
}

}  // namespace

MeterApp::MeterApp(const KoviAppHost* host, SystemProbe* probe, std::vector<std::string> arguments,
                   Output output)
    : host_(host),
      probe_(probe),
      output_(std::move(output)),
      options_(ParseMeterOptions(arguments)),
      transcript_(options_.transcript_path),
      channels_(host, &transcript_) {
  record_.arguments = std::move(arguments);
  record_.problems = options_.problems;
}

void MeterApp::Print(const std::string& line) {
  output_("meter: " + line);
}

void MeterApp::Show(const std::string& status) {
  std::string text = "kovi polling-rate meter (stand-in application)\n\n" + status;
  if (!live_line_.empty()) {
    text += "\n\n" + live_line_;
  }
  host_->show_text(host_->engine, text.c_str());
}

void MeterApp::Start() {
  Print("arguments " + std::to_string(record_.arguments.size()));
  for (size_t i = 0; i < record_.arguments.size(); ++i) {
    Print("argument " + std::to_string(i) + " " + PrintableText(record_.arguments[i]));
  }
  for (const std::string& problem : record_.problems) {
    Print("ignored: " + problem);
  }
  if (options_.set_mouse && !probe_->SetMouseParameters(*options_.set_mouse)) {
    Print("could not set the mouse parameters");
  }
  record_.mouse_before = probe_->MouseParameters();
  channels_.Listen(kEventsChannel,
                   [this](const std::vector<uint8_t>& message) { OnBatch(message); });
  Show("starting");
  if (options_.hostile) {
    hostile_script_ = HostileScript();
    for (const HostileStep& step : hostile_script_) {
      record_.expected_error_lines.insert(record_.expected_error_lines.end(),
                                          step.expected_error_lines.begin(),
                                          step.expected_error_lines.end());
    }
    std::string expected;
    for (const std::string& line : record_.expected_error_lines) {
      expected += line + "\n";
    }
    if (!options_.expected_errors_path.empty() &&
        !WriteFile(options_.expected_errors_path, expected)) {
      Print("could not write " + options_.expected_errors_path);
    }
    RunHostileStep(0);
  } else {
    AskSupported();
  }
}

void MeterApp::RunHostileStep(size_t index) {
  if (index == hostile_script_.size()) {
    size_t good = 0;
    for (const HostileOutcome& outcome : record_.hostile) {
      good += outcome.as_expected ? 1 : 0;
    }
    Print("hostile script: " + std::to_string(good) + " of " +
          std::to_string(record_.hostile.size()) + " replies as expected");
    AskSupported();
    return;
  }
  const HostileStep& step = hostile_script_[index];
  channels_.Send(step.channel, step.message, [this, index](const std::vector<uint8_t>& reply) {
    const HostileStep& answered = hostile_script_[index];
    HostileOutcome outcome{answered.label, ToHex(reply.data(), reply.size()), false};
    outcome.as_expected = outcome.reply_hex == answered.expected_reply_hex;
    Print("hostile " + std::string(outcome.as_expected ? "ok" : "UNEXPECTED") + ": " +
          outcome.label + " -> " + (outcome.reply_hex.empty() ? "empty" : outcome.reply_hex));
    record_.hostile.push_back(outcome);
    RunHostileStep(index + 1);
  });
}

void MeterApp::AskSupported() {
  channels_.CallMethod(kControlChannel, "isSupported", [this](const std::vector<uint8_t>& reply) {
    record_.supported = IsSupportedReply(reply);
    Print(std::string("supported ") + (record_.supported ? "true" : "false"));
    Listen();
  });
}

void MeterApp::Listen() {
  channels_.CallMethod(kEventsChannel, "listen", [this](const std::vector<uint8_t>& reply) {
    if (DecodeEnvelope(reply).kind != Envelope::Kind::kSuccess) {
      Print("listen was refused: " + ToHex(reply.data(), reply.size()));
    }
    ShowWindow();
  });
}

void MeterApp::ShowWindow() {
  channels_.Send(kWindowChannel, Text("show"), [this](const std::vector<uint8_t>& reply) {
    if (AsText(reply) != "ok") {
      Print("the window could not be shown (no window-manager plugin?)");
    }
    // The window system reports the pointer over the newly shown window as
    // one more mouse move; capturing starts once that has passed.
    host_->call_later(
        host_->engine, kSettleMs, [](void* self) { static_cast<MeterApp*>(self)->QueryBounds(); },
        this);
  });
}

void MeterApp::QueryBounds() {
  channels_.Send(kWindowChannel, Text("bounds"), [this](const std::vector<uint8_t>& bounds) {
    record_.window_bounds = AsText(bounds);
    Print("window " + record_.window_bounds);
    StartCapture();
  });
}

void MeterApp::StartCapture() {
  channels_.CallMethod(kControlChannel, "startCapture",
                       [this](const std::vector<uint8_t>&) { OnCapturing(); });
}

void MeterApp::OnCapturing() {
  state_ = State::kCapturing;
  record_.mouse_during = probe_->MouseParameters();
  capture_start_ = std::chrono::steady_clock::now();
  cpu_at_start_ = probe_->ProcessCpuSeconds();
  Print("capturing");
  Show("capturing for " + std::to_string(options_.seconds) + " s");
  host_->start_timer(
      host_->engine, 1000, [](void* self) { static_cast<MeterApp*>(self)->OnSecond(); }, this);
}

void MeterApp::OnSecond() {
  if (state_ != State::kCapturing) {
    return;
  }
  ++seconds_captured_;
  live_line_ = LiveLine(statistics_.TakeWindow());
  Print(live_line_);
  Show("capturing, " + std::to_string(seconds_captured_) + " of " +
       std::to_string(options_.seconds) + " s");
  if (seconds_captured_ >= options_.seconds) {
    StopCapture();
  }
}

void MeterApp::StopCapture() {
  state_ = State::kStopping;
  record_.stopped_by_meter = true;
  channels_.CallMethod(kControlChannel, "stopCapture", [this](const std::vector<uint8_t>&) {
    record_.capture_seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - capture_start_).count();
    record_.capture_cpu_seconds = probe_->ProcessCpuSeconds() - cpu_at_start_;
    record_.mouse_after_stop = probe_->MouseParameters();
    Print("stopped");
    Cancel();
  });
}

void MeterApp::Cancel() {
  channels_.CallMethod(kEventsChannel, "cancel", [this](const std::vector<uint8_t>&) {
    state_ = State::kDone;
    Show("done");
    if (options_.close_when_done) {
      channels_.Send(kWindowChannel, Text("close"), nullptr);
    }
  });
}

void MeterApp::OnBatch(const std::vector<uint8_t>& message) {
  std::optional<std::vector<int32_t>> counts = DecodeBatch(message);
  if (!counts) {
    Print("not a batch: " + ToHex(message.data(), message.size()));
    return;
  }
  statistics_.AddBatch(*counts);
  if (host_->engine_phase(host_->engine) != kKoviAppRunning) {
    ++record_.batches_while_closing;
    for (int32_t count : *counts) {
      record_.packets_while_closing += static_cast<uint64_t>(count > 0 ? count : 0);
    }
  }
}

void MeterApp::Shutdown() {
  if (state_ == State::kCapturing) {
    // Closed from outside: the capture ran until the host's window went.
    record_.capture_seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - capture_start_).count();
    record_.capture_cpu_seconds = probe_->ProcessCpuSeconds() - cpu_at_start_;
  }
  record_.mouse_at_shutdown = probe_->MouseParameters();
  Print(record_.stopped_by_meter ? "closed by the meter" : "closed from outside");
  for (const std::string& line : MeterSummaryLines(record_, statistics_)) {
    Print(line);
  }
  Print(MeterResultLine(record_, statistics_));
  WriteOutputs();
}

void MeterApp::WriteOutputs() {
  if (!options_.summary_path.empty() &&
      !WriteFile(options_.summary_path, MeterSummaryJson(record_, statistics_))) {
    Print("could not write " + options_.summary_path);
  }
  if (!options_.chart_path.empty() &&
      !WriteFile(options_.chart_path,
                 RateChartSvg(statistics_.window_rates(), "kovi: mouse report rate"))) {
    Print("could not write " + options_.chart_path);
  }
}
