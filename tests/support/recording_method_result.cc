#include "tests/support/recording_method_result.h"

#include <utility>

#include "tests/support/codec_test_support.h"

namespace kovi_test {
namespace {

std::string OptionalValueText(const std::optional<flutter::EncodableValue>& value) {
  return value ? ValueText(*value) : "none";
}

}  // namespace

bool operator==(const RecordedAnswer& a, const RecordedAnswer& b) {
  return a.kind == b.kind && OptionalValueText(a.value) == OptionalValueText(b.value) &&
         a.code == b.code && a.message == b.message;
}

void PrintTo(const RecordedAnswer& answer, std::ostream* out) {
  static const char* const kKinds[] = {"success", "error", "not implemented"};
  *out << kKinds[static_cast<int>(answer.kind)] << " (code \"" << answer.code << "\", message \""
       << answer.message << "\", value " << OptionalValueText(answer.value) << ")";
}

RecordedAnswer SuccessAnswer(std::optional<flutter::EncodableValue> value) {
  return {RecordedAnswer::Kind::kSuccess, std::move(value), "", "", nullptr};
}

RecordedAnswer ErrorAnswer(const std::string& code, const std::string& message,
                           std::optional<flutter::EncodableValue> details) {
  return {RecordedAnswer::Kind::kError, std::move(details), code, message, nullptr};
}

void RecordingMethodResult::SuccessInternal(const flutter::EncodableValue* result) {
  Record(RecordedAnswer::Kind::kSuccess, result);
}

void RecordingMethodResult::ErrorInternal(const std::string& error_code,
                                          const std::string& error_message,
                                          const flutter::EncodableValue* error_details) {
  Record(RecordedAnswer::Kind::kError, error_details, error_code, error_message);
}

void RecordingMethodResult::NotImplementedInternal() {
  Record(RecordedAnswer::Kind::kNotImplemented, nullptr);
}

void RecordingMethodResult::Record(RecordedAnswer::Kind kind, const flutter::EncodableValue* value,
                                   const std::string& code, const std::string& message) {
  RecordedAnswer answer{kind, std::nullopt, code, message, value};
  if (value != nullptr) {
    answer.value = *value;
  }
  answers_.push_back(std::move(answer));
}

}  // namespace kovi_test
