#include "encoding/message_read_scope.h"

#include <algorithm>

#include "encoding/standard_codec_serializer.h"
#include "errors/error_line.h"

namespace flutter {
namespace {

// With a reader that cannot tell how much input is left, room is made for at
// most this many entries ahead of reading them.
constexpr size_t kBlindReserveEntries = 1024;

constexpr char kTooDeepLine[] =
    "Nesting too deep in StandardCodecSerializer::ReadValueOfType; value read as null.";

// The lists and maps being read on this thread, as far as a re-entered read
// can see them: one per open scope.
thread_local int tls_depth = 0;

}  // namespace

thread_local MessageReadScope::Message* MessageReadScope::innermost_message_ = nullptr;

MessageReadScope::MessageReadScope(const ByteStreamReader* reader)
    : own_{reader, 0, false, 0, innermost_message_}, message_(FindMessage(reader)) {
  if (message_ == nullptr) {
    own_.short_budget = Reach(reader->RemainingBytes());
    message_ = &own_;
    innermost_message_ = &own_;
  }
  outer_owed_ = message_->owed_values;
  levels_left_ = StandardCodecSerializer::kMaxReadNesting - tls_depth;
  ++tls_depth;
}

MessageReadScope::~MessageReadScope() {
  --tls_depth;
  if (message_ == &own_) {
    innermost_message_ = own_.outer;
  }
}

bool MessageReadScope::RefuseTooDeep() {
  if (!message_->reported_too_deep) {
    message_->reported_too_deep = true;
    WriteErrorLine(kTooDeepLine);
  }
  return false;
}

bool MessageReadScope::RefuseValues() {
  WriteErrorLine(kInvalidReadLine);
  return false;
}

bool MessageReadScope::AcceptShortRead(MessageReadScope* scope, const ByteStreamReader* reader,
                                       uint64_t length) {
  Message* message = scope != nullptr ? scope->message_ : FindMessage(reader);
  if (message == nullptr) {
    return length <= Reach(reader->RemainingBytes());
  }
  if (length > message->short_budget) {
    return false;
  }
  message->short_budget -= length;
  return true;
}

MessageReadScope::Message* MessageReadScope::FindMessage(const ByteStreamReader* reader) {
  for (Message* m = innermost_message_; m != nullptr; m = m->outer) {
    if (m->reader == reader) {
      return m;
    }
  }
  return nullptr;
}

size_t MessageReadScope::EntriesToReserve(size_t count, size_t remaining) {
  if (remaining == ByteStreamReader::kRemainingUnknown) {
    return std::min(count, kBlindReserveEntries);
  }
  return count;
}

}  // namespace flutter
