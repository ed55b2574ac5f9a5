// EngineMethodResult: the answer object of one incoming method call. It encodes
// the handler's answer as an envelope and hands it to the ReplyHolder that owns
// the message's reply, which sends the first answer only and warns when none
// came. Owned by the method-call handler (or whoever it passes it on to); the
// codec is borrowed and must outlive it.
#ifndef KOVI_CHANNELS_ENGINE_METHOD_RESULT_H_
#define KOVI_CHANNELS_ENGINE_METHOD_RESULT_H_

#include <string>

#include "channels/reply_holder.h"
#include "embedding/binary_messenger.h"
#include "encoding/encodable_value.h"
#include "encoding/method_codec.h"
#include "encoding/method_result.h"

namespace flutter {

class EngineMethodResult : public MethodResult {
 public:
  EngineMethodResult(ReplyCallback reply_handler, const MethodCodec* codec);
  ~EngineMethodResult() override;

  EngineMethodResult(const EngineMethodResult&) = delete;
  EngineMethodResult& operator=(const EngineMethodResult&) = delete;

 protected:
  // A success envelope of the value, or of no value.
  void SuccessInternal(const EncodableValue* result) override;
  // An error envelope of code, message and details.
  void ErrorInternal(const std::string& error_code, const std::string& error_message,
                     const EncodableValue* error_details) override;
  // The empty reply.
  void NotImplementedInternal() override;

 private:
  ReplyHolder reply_holder_;
  const MethodCodec* codec_;
};

}  // namespace flutter

#endif  // KOVI_CHANNELS_ENGINE_METHOD_RESULT_H_
