// StreamHandler: the system side of one event channel. The channel calls OnListen
// when the Dart side subscribes (handing over a new sink) and OnCancel when it
// unsubscribes; each forwards to its virtual counterpart. The installed channel
// handler shares ownership of it; UI thread only.
#ifndef KOVI_CHANNELS_STREAM_HANDLER_H_
#define KOVI_CHANNELS_STREAM_HANDLER_H_

#include <memory>

#include "channels/event_sink.h"
#include "channels/stream_handler_error.h"
#include "encoding/encodable_value.h"

namespace flutter {

class StreamHandler {
 public:
  StreamHandler() = default;
  virtual ~StreamHandler();

  StreamHandler(const StreamHandler&) = delete;
  StreamHandler& operator=(const StreamHandler&) = delete;

  // The arguments may be absent. The handler may take the sink; a sink it leaves
  // behind is destroyed by the caller. Returns an error, or nothing on success.
  std::unique_ptr<StreamHandlerError> OnListen(const EncodableValue* arguments,
                                               std::unique_ptr<EventSink>&& events);
  // The arguments may be absent. Returns an error, or nothing on success.
  std::unique_ptr<StreamHandlerError> OnCancel(const EncodableValue* arguments);

 protected:
  virtual std::unique_ptr<StreamHandlerError> OnListenInternal(
      const EncodableValue* arguments, std::unique_ptr<EventSink>&& events) = 0;
  virtual std::unique_ptr<StreamHandlerError> OnCancelInternal(const EncodableValue* arguments) = 0;
};

}  // namespace flutter

#endif  // KOVI_CHANNELS_STREAM_HANDLER_H_
