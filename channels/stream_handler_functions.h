// StreamHandlerFunctions: a stream handler made of two callables, so a user of
// an event channel need not derive a class. A missing callable answers with an
// error instead of being called. Owned by the event channel's installed handler.
#ifndef KOVI_CHANNELS_STREAM_HANDLER_FUNCTIONS_H_
#define KOVI_CHANNELS_STREAM_HANDLER_FUNCTIONS_H_

#include <functional>
#include <memory>

#include "channels/event_sink.h"
#include "channels/stream_handler.h"
#include "channels/stream_handler_error.h"
#include "encoding/encodable_value.h"

namespace flutter {

using StreamHandlerListen = std::function<std::unique_ptr<StreamHandlerError>(
    const EncodableValue* arguments, std::unique_ptr<EventSink>&& events)>;
using StreamHandlerCancel =
    std::function<std::unique_ptr<StreamHandlerError>(const EncodableValue* arguments)>;

class StreamHandlerFunctions : public StreamHandler {
 public:
  // Either callable may be empty.
  StreamHandlerFunctions(StreamHandlerListen on_listen, StreamHandlerCancel on_cancel);

 protected:
  // Without a listen callable: the error "error" / "No OnListen handler set";
  // the sink is then left to the caller.
  std::unique_ptr<StreamHandlerError> OnListenInternal(
      const EncodableValue* arguments, std::unique_ptr<EventSink>&& events) override;
  // Without a cancel callable: the error "error" / "No OnCancel handler set".
  std::unique_ptr<StreamHandlerError> OnCancelInternal(const EncodableValue* arguments) override;

 private:
  StreamHandlerListen on_listen_;
  StreamHandlerCancel on_cancel_;
};

}  // namespace flutter

#endif  // KOVI_CHANNELS_STREAM_HANDLER_FUNCTIONS_H_
