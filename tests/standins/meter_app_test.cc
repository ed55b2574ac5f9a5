// The meter driven through a whole run by a scripted engine: the order and
// bytes of what it sends, how it reads the host's answers and batches, what it
// prints and what it leaves behind.
#include "standins/app/meter_app.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "standins/app/hex.h"
#include "standins/app/hostile_script.h"
#include "tests/standins/fake_app_host.h"
#include "tests/support/wire_bytes.h"

namespace {

using kovi_test::BatchEnvelope;
using kovi_test::MethodCallBytes;

std::vector<uint8_t> FromHex(const std::string& hex) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

const std::vector<uint8_t> kSuccessNull = kovi_test::SuccessEnvelope();

class MeterAppTest : public ::testing::Test {
 protected:
  void StartMeter(const std::vector<std::string>& arguments) {
    meter_ =
        std::make_unique<MeterApp>(host_.table(), &probe_, arguments,
                                   [this](const std::string& line) { lines_.push_back(line); });
    meter_->Start();
  }

  // Expects the oldest waiting message, then answers it.
  void ExpectAndReply(const std::string& channel, const std::vector<uint8_t>& message,
                      const std::vector<uint8_t>& reply) {
    ASSERT_FALSE(host_.waiting().empty()) << "nothing sent; expected " << channel;
    EXPECT_EQ(host_.waiting().front().channel, channel);
    EXPECT_EQ(ToHex(host_.waiting().front().message.data(), host_.waiting().front().message.size()),
              ToHex(message.data(), message.size()));
    host_.ReplyToOldest(reply);
  }

  std::vector<uint8_t> Text(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
  }

  // From the start to a running capture.
  void RunUpToCapture() {
    ExpectAndReply("kovi/raw_mouse", MethodCallBytes("isSupported"), kovi_test::kSupportedAnswer);
    ExpectAndReply("kovi/raw_mouse_events", MethodCallBytes("listen"), kSuccessNull);
    ExpectAndReply("kovi/window", Text("show"), Text("ok"));
    EXPECT_TRUE(host_.waiting().empty()) << "capturing before the window settled";
    host_.RunDelayedCalls();
    ExpectAndReply("kovi/window", Text("bounds"), Text("320 100 1280 800"));
    probe_.mouse = {0, 0, 0};
    ExpectAndReply("kovi/raw_mouse", MethodCallBytes("startCapture"), kSuccessNull);
  }

  // One second of 1 kHz: twenty batches of five ticks of ten packets.
  void OneSecondOfBatches() {
    for (int i = 0; i < 20; ++i) {
      host_.Deliver("kovi/raw_mouse_events", BatchEnvelope({10, 10, 10, 10, 10}));
    }
  }

  bool Printed(const std::string& line) const {
    return std::find(lines_.begin(), lines_.end(), line) != lines_.end();
  }

  std::string ResultLine() const {
    auto found = std::find_if(lines_.begin(), lines_.end(), [](const std::string& line) {
      return line.rfind("meter: result ", 0) == 0;
    });
    return found == lines_.end() ? "" : *found;
  }

  FakeAppHost host_;
  FakeSystemProbe probe_;
  std::vector<std::string> lines_;
  std::unique_ptr<MeterApp> meter_;
};

TEST_F(MeterAppTest, ReportsItsArgumentsAsText) {
  // Each argument and how its line shows it: well-formed UTF-8 as it is;
  // controls, bytes that are not well-formed UTF-8 and the backslash escaped.
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"one", "one"},
      {"two words \xF0\x9F\x98\x80", "two words \xF0\x9F\x98\x80"},
      {"", ""},
      {"tab\tline\nend\x7F", "tab\\x09line\\x0aend\\x7f"},
      {"C:\\data\\x41", "C:\\\\data\\\\x41"},
      {"next line \xC2\x85 no-break \xC2\xA0", "next line \\xc2\\x85 no-break \xC2\xA0"},
      {"cut \xF0\x9F\x98", "cut \\xf0\\x9f\\x98"},
      {"overlong \xC0\xAF surrogate \xED\xA0\x80 \xFF",
       "overlong \\xc0\\xaf surrogate \\xed\\xa0\\x80 \\xff"},
  };
  std::vector<std::string> arguments;
  for (const auto& entry : cases) {
    arguments.push_back(entry.first);
  }
  StartMeter(arguments);
  ASSERT_GT(lines_.size(), cases.size());
  EXPECT_EQ(lines_[0], "meter: arguments " + std::to_string(cases.size()));
  for (size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(lines_[i + 1], "meter: argument " + std::to_string(i) + " " + cases[i].second);
  }
}

TEST_F(MeterAppTest, MeasuresStopsCancelsAndClosesInOrder) {
  std::string summary = ::testing::TempDir() + "meter_summary.json";
  StartMeter({"--seconds", "2", "--set-mouse", "3,7,2", "--summary", summary});
  probe_.mouse = {3, 7, 2};
  RunUpToCapture();
  EXPECT_TRUE(Printed("meter: capturing"));
  ASSERT_EQ(host_.periodic_timers(), 1u);

  OneSecondOfBatches();
  probe_.cpu_seconds = 0.05;
  host_.FirePeriodicTimers();
  EXPECT_TRUE(Printed("meter: 1000 Hz | per tick min 10 max 10 mean 10.00 | missed ~0"));
  EXPECT_NE(host_.shown_text().find("1000 Hz"), std::string::npos);
  EXPECT_TRUE(host_.waiting().empty());

  OneSecondOfBatches();
  host_.FirePeriodicTimers();
  // The final short batch of the stop arrives before the stop's answer.
  host_.Deliver("kovi/raw_mouse_events", BatchEnvelope({3}));
  probe_.mouse = {3, 7, 2};
  ExpectAndReply("kovi/raw_mouse", MethodCallBytes("stopCapture"), kSuccessNull);
  ExpectAndReply("kovi/raw_mouse_events", MethodCallBytes("cancel"), kSuccessNull);
  ASSERT_EQ(host_.waiting().size(), 1u);
  EXPECT_EQ(host_.waiting().front().channel, "kovi/window");
  EXPECT_EQ(host_.waiting().front().message, Text("close"));
  host_.FirePeriodicTimers();  // a late timer does nothing
  EXPECT_EQ(host_.waiting().size(), 1u);

  meter_->Shutdown();
  std::string result = ResultLine();
  for (const char* expected :
       {"packets=2003 ", "batches=41 ", "irregular_batches=0 ", "last_batch=1 ", "ticks=201 ",
        "bounds=320,100,1280,800 ", "mouse_before=3,7,2 ", "mouse_during=0,0,0 ",
        "mouse_after=3,7,2 ", "closing_batches=0 ", "stopped_by_meter=true"}) {
    EXPECT_NE(result.find(expected), std::string::npos) << expected << " in " << result;
  }
  std::ifstream file(summary);
  std::stringstream json;
  json << file.rdbuf();
  EXPECT_NE(json.str().find("\"packets\":2003,"), std::string::npos) << json.str();
  EXPECT_NE(json.str().find("\"mouse\":{\"before\":[3,7,2],\"during\":[0,0,0]"), std::string::npos);
  std::remove(summary.c_str());
}

TEST_F(MeterAppTest, BatchesThatArriveWhileTheWindowClosesAreCounted) {
  StartMeter({"--seconds", "30"});
  RunUpToCapture();
  host_.Deliver("kovi/raw_mouse_events", BatchEnvelope({10, 10, 10, 10, 10}));
  host_.set_phase(kKoviAppWindowClosing);
  host_.Deliver("kovi/raw_mouse_events", BatchEnvelope({4, 4}));
  host_.set_accepting(false);
  meter_->Shutdown();
  std::string result = ResultLine();
  EXPECT_NE(result.find("packets=58 "), std::string::npos) << result;
  EXPECT_NE(result.find("closing_batches=1 closing_packets=8 "), std::string::npos) << result;
  EXPECT_NE(result.find("stopped_by_meter=false"), std::string::npos) << result;
  EXPECT_TRUE(Printed("meter: closed from outside"));
}

TEST_F(MeterAppTest, AMessageThatIsNoBatchIsReportedAndNotCounted) {
  StartMeter({});
  RunUpToCapture();
  host_.Deliver("kovi/raw_mouse_events", {0x01, 0x07, 0x01, 'E', 0x00, 0x00});
  host_.Deliver("kovi/raw_mouse_events", {});
  EXPECT_TRUE(Printed("meter: not a batch: 010701450000"));
  EXPECT_TRUE(Printed("meter: not a batch: "));
  meter_->Shutdown();
  EXPECT_NE(ResultLine().find("packets=0 batches=0 "), std::string::npos);
}

TEST_F(MeterAppTest, HostileScriptComesFirstAndEachReplyIsJudged) {
  StartMeter({"--hostile"});
  std::vector<HostileStep> script = HostileScript();
  for (size_t i = 0; i < script.size(); ++i) {
    const HostileStep& step = script[i];
    // The first reply is wrong on purpose.
    std::string reply = i == 0 ? "00" : step.expected_reply_hex;
    ExpectAndReply(step.channel, step.message, FromHex(reply));
  }
  EXPECT_TRUE(Printed("meter: hostile UNEXPECTED: unknown tag on control -> 00"));
  auto cancel = std::find_if(script.begin(), script.end(), [](const HostileStep& step) {
    return step.label == "cancel without listen";
  });
  ASSERT_NE(cancel, script.end());
  EXPECT_TRUE(Printed("meter: hostile ok: cancel without listen -> " + cancel->expected_reply_hex));
  EXPECT_TRUE(Printed("meter: hostile script: " + std::to_string(script.size() - 1) + " of " +
                      std::to_string(script.size()) + " replies as expected"));
  ExpectAndReply("kovi/raw_mouse", MethodCallBytes("isSupported"), kovi_test::kSupportedAnswer);
}

}  // namespace
