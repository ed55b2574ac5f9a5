// MethodChannel: turns the byte messages of one named channel into method calls
// for one handler, and carries that handler's single answer back as the reply.
//
// The channel object only installs a handler on the messenger: the installed
// handler keeps its own copies of the name, the codec pointer and the method-call
// handler, so it goes on working after the channel object is destroyed, until it
// is replaced or removed. Neither the messenger nor the codec is owned; both must
// outlive every handler installed. UI thread only.
#ifndef KOVI_CHANNELS_METHOD_CHANNEL_H_
#define KOVI_CHANNELS_METHOD_CHANNEL_H_

#include <functional>
#include <memory>
#include <string>

#include "embedding/binary_messenger.h"
#include "encoding/method_call.h"
#include "encoding/method_codec.h"
#include "encoding/method_result.h"

namespace flutter {

// Answers one call exactly once through the result, now or later.
using MethodCallHandler =
    std::function<void(const MethodCall& call, std::unique_ptr<MethodResult> result)>;

class MethodChannel {
 public:
  MethodChannel(BinaryMessenger* messenger, const std::string& name, const MethodCodec* codec);

  // Installs the handler for this channel's messages, replacing any handler
  // installed before; an empty handler removes the channel's handler.
  void SetMethodCallHandler(MethodCallHandler handler) const;

 private:
  BinaryMessenger* messenger_;
  std::string name_;
  const MethodCodec* codec_;
};

}  // namespace flutter

#endif  // KOVI_CHANNELS_METHOD_CHANNEL_H_
