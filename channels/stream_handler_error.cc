#include "channels/stream_handler_error.h"

#include <utility>

namespace flutter {

StreamHandlerError::StreamHandlerError(const std::string& code, const std::string& message,
                                       std::unique_ptr<EncodableValue> details)
    : error_code(code), error_message(message), error_details(std::move(details)) {}

}  // namespace flutter
