// IncomingMessageReply: the answer state of one message that the embedding
// library delivered, shared by every copy of the message's ReplyCallback. It
// holds a counted reference to the library's messenger (taken at delivery,
// released when the last copy goes) and the response handle, which is spent by
// the first answer. The callable may be called from any thread.
#ifndef KOVI_EMBEDDING_INCOMING_MESSAGE_REPLY_H_
#define KOVI_EMBEDDING_INCOMING_MESSAGE_REPLY_H_

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "embedding/binary_messenger.h"
#include "embedding/flutter_desktop.h"

namespace flutter {

class IncomingMessageReply {
 public:
  // Takes one reference to the messenger (FlutterDesktopMessengerAddRef).
  IncomingMessageReply(FlutterDesktopMessengerRef messenger,
                       const FlutterDesktopMessageResponseHandle* response_handle);
  // Gives the reference back (FlutterDesktopMessengerRelease).
  ~IncomingMessageReply();

  IncomingMessageReply(const IncomingMessageReply&) = delete;
  IncomingMessageReply& operator=(const IncomingMessageReply&) = delete;

  // The message's reply callable; all its copies answer through one shared state.
  static ReplyCallback MakeCallback(FlutterDesktopMessengerRef messenger,
                                    const FlutterDesktopMessageResponseHandle* response_handle);

  // Sends the response under the library's messenger lock: nothing once the
  // engine is gone, the duplicate line after the first answer.
  void Answer(const uint8_t* data, size_t size);

 private:
  FlutterDesktopMessengerRef messenger_;
  std::atomic<const FlutterDesktopMessageResponseHandle*> response_handle_;
};

}  // namespace flutter

#endif  // KOVI_EMBEDDING_INCOMING_MESSAGE_REPLY_H_
