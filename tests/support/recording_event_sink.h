// RecordingEventSink: an event sink for tests that keeps each batch of per-tick
// counts it is given in a list the test owns. Anything but a list of 32-bit
// integers fails the test.
#ifndef KOVI_TESTS_SUPPORT_RECORDING_EVENT_SINK_H_
#define KOVI_TESTS_SUPPORT_RECORDING_EVENT_SINK_H_

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "channels/event_sink.h"
#include "encoding/encodable_value.h"

using Batches = std::vector<std::vector<int32_t>>;

class RecordingEventSink : public flutter::EventSink {
 public:
  // `batches` must outlive the sink.
  explicit RecordingEventSink(Batches* batches) : batches_(batches) {}

 protected:
  void SuccessInternal(const flutter::EncodableValue* event) override {
    const auto* list = event == nullptr ? nullptr : std::get_if<flutter::EncodableList>(event);
    ASSERT_NE(list, nullptr) << "a batch is a general list";
    std::vector<int32_t> counts;
    for (const flutter::EncodableValue& count : *list) {
      const auto* value = std::get_if<int32_t>(&count);
      ASSERT_NE(value, nullptr) << "each count is a 32-bit integer";
      counts.push_back(*value);
    }
    batches_->push_back(counts);
  }
  void ErrorInternal(const std::string& code, const std::string&,
                     const flutter::EncodableValue*) override {
    ADD_FAILURE() << "unexpected error event " << code;
  }
  void EndOfStreamInternal() override { ADD_FAILURE() << "unexpected end of stream"; }

 private:
  Batches* batches_;
};

#endif  // KOVI_TESTS_SUPPORT_RECORDING_EVENT_SINK_H_
