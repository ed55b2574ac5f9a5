#include "channels/stream_handler.h"

#include <utility>

namespace flutter {

StreamHandler::~StreamHandler() = default;

std::unique_ptr<StreamHandlerError> StreamHandler::OnListen(const EncodableValue* arguments,
                                                            std::unique_ptr<EventSink>&& events) {
  return OnListenInternal(arguments, std::move(events));
}

std::unique_ptr<StreamHandlerError> StreamHandler::OnCancel(const EncodableValue* arguments) {
  return OnCancelInternal(arguments);
}

}  // namespace flutter
