// EventChannel: lets the Dart side subscribe to a stream of values sent by the
// system. The Dart side sends the method calls "listen" and "cancel" on the
// channel's name; the installed handler passes them to the stream handler and
// gives each "listen" a new sink that sends events as messages on the same name.
//
// The channel object only installs a handler on the messenger: the installed
// handler shares ownership of the stream handler and keeps its own copies of
// everything else, so it goes on working after the channel object is destroyed,
// until it is replaced or removed. Neither the messenger nor the codec is owned;
// both must outlive every installed handler and every sink. UI thread only.
#ifndef KOVI_CHANNELS_EVENT_CHANNEL_H_
#define KOVI_CHANNELS_EVENT_CHANNEL_H_

#include <memory>
#include <string>

#include "channels/stream_handler.h"
#include "embedding/binary_messenger.h"
#include "encoding/method_codec.h"

namespace flutter {

class EventChannel {
 public:
  EventChannel(BinaryMessenger* messenger, const std::string& name, const MethodCodec* codec);

  // Installs a handler for this channel's messages over the stream handler,
  // not listening yet, replacing any handler installed before; an empty stream
  // handler removes the channel's handler.
  void SetStreamHandler(std::unique_ptr<StreamHandler> handler) const;

  // The sink handed to the stream handler on each "listen" (event_sink_implementation.h).
  class EventSinkImplementation;

 private:
  BinaryMessenger* messenger_;
  std::string name_;
  const MethodCodec* codec_;
};

}  // namespace flutter

#endif  // KOVI_CHANNELS_EVENT_CHANNEL_H_
