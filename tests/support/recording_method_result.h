// RecordingMethodResult: a method result that keeps every answer given to it,
// in order, for the tests and fuzzers that decode response envelopes or answer
// through a result themselves. A RecordedAnswer compares exactly (values
// through kovi_test::ValueText) and prints readably, so a test can expect a
// list of them. Used on one thread.
#ifndef KOVI_TESTS_SUPPORT_RECORDING_METHOD_RESULT_H_
#define KOVI_TESTS_SUPPORT_RECORDING_METHOD_RESULT_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "encoding/encodable_value.h"
#include "encoding/method_result.h"

namespace kovi_test {

struct RecordedAnswer {
  enum class Kind { kSuccess, kError, kNotImplemented };

  Kind kind = Kind::kNotImplemented;
  // The success value or the error details, copied; none when the answer
  // carried none (a null pointer).
  std::optional<flutter::EncodableValue> value;
  std::string code;
  std::string message;
  // The pointer the value came with, to compare only (it may dangle): whether
  // the public operation passed the caller's own value on.
  const flutter::EncodableValue* given = nullptr;

  // The value as a pointer again, null when none came.
  const flutter::EncodableValue* value_pointer() const { return value ? &*value : nullptr; }
};

// Every field but `given`.
bool operator==(const RecordedAnswer& a, const RecordedAnswer& b);
void PrintTo(const RecordedAnswer& answer, std::ostream* out);

// Expected answers; a default RecordedAnswer is a not-implemented one.
RecordedAnswer SuccessAnswer(std::optional<flutter::EncodableValue> value = std::nullopt);
RecordedAnswer ErrorAnswer(const std::string& code, const std::string& message,
                           std::optional<flutter::EncodableValue> details = std::nullopt);

class RecordingMethodResult : public flutter::MethodResult {
 public:
  const std::vector<RecordedAnswer>& answers() const { return answers_; }

 protected:
  void SuccessInternal(const flutter::EncodableValue* result) override;
  void ErrorInternal(const std::string& error_code, const std::string& error_message,
                     const flutter::EncodableValue* error_details) override;
  void NotImplementedInternal() override;

 private:
  void Record(RecordedAnswer::Kind kind, const flutter::EncodableValue* value,
              const std::string& code = "", const std::string& message = "");

  std::vector<RecordedAnswer> answers_;
};

}  // namespace kovi_test

#endif  // KOVI_TESTS_SUPPORT_RECORDING_METHOD_RESULT_H_
