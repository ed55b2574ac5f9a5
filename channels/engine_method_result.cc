#include "channels/engine_method_result.h"

#include <utility>

namespace flutter {

EngineMethodResult::EngineMethodResult(ReplyCallback reply_handler, const MethodCodec* codec)
    : reply_holder_(std::move(reply_handler)), codec_(codec) {}

EngineMethodResult::~EngineMethodResult() = default;

void EngineMethodResult::SuccessInternal(const EncodableValue* result) {
  reply_holder_.Respond(codec_->EncodeSuccessEnvelope(result));
}

void EngineMethodResult::ErrorInternal(const std::string& error_code,
                                       const std::string& error_message,
                                       const EncodableValue* error_details) {
  reply_holder_.Respond(codec_->EncodeErrorEnvelope(error_code, error_message, error_details));
}

void EngineMethodResult::NotImplementedInternal() {
  reply_holder_.Respond(nullptr);
}

}  // namespace flutter
