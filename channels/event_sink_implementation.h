// EventChannel::EventSinkImplementation: the sink an event channel hands to its
// stream handler on each "listen". Each event goes out as a message of its own
// on the channel's name, with no reply expected. The holder owns the sink; the
// messenger and codec are borrowed, so a sink must not be used once the
// messenger is gone. UI thread only.
#ifndef KOVI_CHANNELS_EVENT_SINK_IMPLEMENTATION_H_
#define KOVI_CHANNELS_EVENT_SINK_IMPLEMENTATION_H_

#include <string>

#include "channels/event_channel.h"
#include "channels/event_sink.h"
#include "embedding/binary_messenger.h"
#include "encoding/encodable_value.h"
#include "encoding/method_codec.h"

namespace flutter {

class EventChannel::EventSinkImplementation : public EventSink {
 public:
  EventSinkImplementation(BinaryMessenger* messenger, const std::string& name,
                          const MethodCodec* codec);

 protected:
  // A success envelope of the event, or of no value.
  void SuccessInternal(const EncodableValue* event) override;
  // An error envelope of code, message and details.
  void ErrorInternal(const std::string& error_code, const std::string& error_message,
                     const EncodableValue* error_details) override;
  // A message of length 0.
  void EndOfStreamInternal() override;

 private:
  BinaryMessenger* messenger_;
  std::string name_;
  const MethodCodec* codec_;
};

}  // namespace flutter

#endif  // KOVI_CHANNELS_EVENT_SINK_IMPLEMENTATION_H_
