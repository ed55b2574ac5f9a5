// A scripted stand-in for the engine side of standins/app_api.h, for testing
// the meter without an engine: it records what the meter sends, lets the test
// answer, deliver host messages, fire timers and set the engine's phase. Also
// a system probe with settable mouse parameters. Test thread only.
#ifndef KOVI_TESTS_STANDINS_FAKE_APP_HOST_H_
#define KOVI_TESTS_STANDINS_FAKE_APP_HOST_H_

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "standins/app/system_probe.h"
#include "standins/app_api.h"

class FakeAppHost {
 public:
  struct Sent {
    std::string channel;
    std::vector<uint8_t> message;
    KoviAppReplyFn reply;
    void* user_data;
  };

  FakeAppHost();
  const KoviAppHost* table() const { return &table_; }

  // Messages the meter sent that await their reply, oldest first.
  const std::deque<Sent>& waiting() const { return waiting_; }
  // Answers the oldest waiting message; an empty reply for no bytes.
  void ReplyToOldest(const std::vector<uint8_t>& reply);
  void ReplyToOldest(const std::string& text);
  // Sends a host message to the meter's handler of the channel, if any.
  void Deliver(const std::string& channel, const std::vector<uint8_t>& message);
  void FirePeriodicTimers();
  void RunDelayedCalls();
  void set_phase(KoviAppEnginePhase phase) { phase_ = phase; }
  void set_accepting(bool accepting) { accepting_ = accepting; }
  const std::string& shown_text() const { return shown_text_; }
  size_t periodic_timers() const { return timers_.size(); }

 private:
  using Call = std::pair<KoviAppTimerFn, void*>;
  static FakeAppHost* Self(void* engine) { return static_cast<FakeAppHost*>(engine); }

  KoviAppHost table_{};
  std::deque<Sent> waiting_;
  std::map<std::string, std::pair<KoviAppMessageFn, void*>> handlers_;
  std::vector<Call> timers_;
  std::vector<Call> delayed_;
  std::string shown_text_;
  KoviAppEnginePhase phase_ = kKoviAppRunning;
  bool accepting_ = true;
};

class FakeSystemProbe : public SystemProbe {
 public:
  std::optional<std::array<int, 3>> MouseParameters() override { return mouse; }
  bool SetMouseParameters(const std::array<int, 3>& parameters) override {
    mouse = parameters;
    return true;
  }
  double ProcessCpuSeconds() override { return cpu_seconds; }

  std::array<int, 3> mouse{6, 10, 1};
  double cpu_seconds = 0;
};

#endif  // KOVI_TESTS_STANDINS_FAKE_APP_HOST_H_
