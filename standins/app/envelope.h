// Reading the host's answers with the standard method codec's layout: a reply
// to a method call (empty, success envelope or error envelope) and the batch
// event of the capture channel (a success envelope carrying a list of 32-bit
// integers).
#ifndef KOVI_STANDINS_APP_ENVELOPE_H_
#define KOVI_STANDINS_APP_ENVELOPE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "encoding/encodable_value.h"

struct Envelope {
  enum class Kind { kEmpty, kSuccess, kError, kMalformed };
  Kind kind = Kind::kEmpty;
  flutter::EncodableValue value;  // the result of a success
  std::string error_code;
  std::string error_message;
};

Envelope DecodeEnvelope(const std::vector<uint8_t>& bytes);

// The counts of a batch event, or nothing when the message is not one.
std::optional<std::vector<int32_t>> DecodeBatch(const std::vector<uint8_t>& bytes);

#endif  // KOVI_STANDINS_APP_ENVELOPE_H_
