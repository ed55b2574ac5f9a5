// BinaryMessengerImpl: the messenger the channels use, over the embedding
// library's messenger. It sends messages (with or without a reply) and keeps one
// handler per channel for incoming messages. The engine wrapper owns it; it
// borrows the library's messenger and owns every handler in its table. UI
// thread only, except the reply callables it hands out.
#ifndef KOVI_EMBEDDING_BINARY_MESSENGER_IMPL_H_
#define KOVI_EMBEDDING_BINARY_MESSENGER_IMPL_H_

#include <map>
#include <string>

#include "embedding/binary_messenger.h"
#include "embedding/flutter_desktop.h"

namespace flutter {

class BinaryMessengerImpl : public BinaryMessenger {
 public:
  explicit BinaryMessengerImpl(FlutterDesktopMessengerRef core_messenger);
  // Frees every handler; the library's callbacks are left as they are (the
  // library's engine is gone by then).
  ~BinaryMessengerImpl() override;

  BinaryMessengerImpl(const BinaryMessengerImpl&) = delete;
  BinaryMessengerImpl& operator=(const BinaryMessengerImpl&) = delete;

  void Send(const std::string& channel, const uint8_t* message, size_t message_size,
            ReplyCallback reply = nullptr) const override;
  void SetMessageHandler(const std::string& channel, ChannelMessageHandler handler) override;

 private:
  FlutterDesktopMessengerRef messenger_;
  // A map node keeps its address while it exists: the library holds the
  // address of the handler in it as the channel callback's user data.
  std::map<std::string, ChannelMessageHandler> handlers_;
};

}  // namespace flutter

#endif  // KOVI_EMBEDDING_BINARY_MESSENGER_IMPL_H_
