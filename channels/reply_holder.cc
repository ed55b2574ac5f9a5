#include "channels/reply_holder.h"

#include <utility>

#include "errors/error_line.h"

namespace flutter {

ReplyHolder::ReplyHolder(ReplyCallback callback) : callback_(std::move(callback)) {}

ReplyHolder::~ReplyHolder() {
  if (callback_) {
    WriteErrorLine("Warning: Failed to respond to a message. This is a memory leak.");
  }
}

void ReplyHolder::Respond(std::unique_ptr<std::vector<uint8_t>> data) {
  if (!callback_) {
    WriteErrorLine(
        "Error: Only one of Success, Error, or NotImplemented can be called,"
        " and it can be called exactly once. Ignoring duplicate result.");
    return;
  }
  const uint8_t* bytes = (data && !data->empty()) ? data->data() : nullptr;
  const size_t size = data ? data->size() : 0;
  // Emptied before the call, so an answer given from inside the callable is a duplicate.
  ReplyCallback callback = std::move(callback_);
  callback_ = nullptr;
  callback(bytes, size);
}

}  // namespace flutter
