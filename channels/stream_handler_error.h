// StreamHandlerError: what a stream handler returns when it refuses a "listen"
// or a "cancel". The event channel turns it into an error envelope for the Dart
// side. Owned by whoever receives it; an absent error means success.
#ifndef KOVI_CHANNELS_STREAM_HANDLER_ERROR_H_
#define KOVI_CHANNELS_STREAM_HANDLER_ERROR_H_

#include <memory>
#include <string>

#include "encoding/encodable_value.h"

namespace flutter {

struct StreamHandlerError {
  StreamHandlerError(const std::string& code, const std::string& message,
                     std::unique_ptr<EncodableValue> details);

  const std::string error_code;
  const std::string error_message;
  // Absent when the error carries no details.
  const std::unique_ptr<EncodableValue> error_details;
};

}  // namespace flutter

#endif  // KOVI_CHANNELS_STREAM_HANDLER_ERROR_H_
