#include "encoding/message_read_scope.h"

#include <algorithm>

#include "encoding/error_line.h"
#include "encoding/standard_codec_serializer.h"

namespace flutter {
namespace {

// With a reader that cannot tell how much input is left, room is made for at
// most this many entries ahead of reading them.
constexpr size_t kBlindReserveEntries = 1024;

constexpr char kTooDeepLine[] =
    "Nesting too deep in StandardCodecSerializer::ReadValueOfType; value read as null.";

// The lists and maps being read on this thread.
thread_local int tls_depth = 0;

}  // namespace

thread_local MessageReadScope::Message* MessageReadScope::innermost_message_ = nullptr;

MessageReadScope::MessageReadScope(const ByteStreamReader* reader)
    : own_{reader, 0, false, innermost_message_}, message_(&own_) {
  for (Message* m = own_.outer; m != nullptr; m = m->outer) {
    if (m->reader == reader) {
      message_ = m;
      break;
    }
  }
  if (message_ == &own_) {
    innermost_message_ = &own_;
  }
  ++tls_depth;
  too_deep_ = tls_depth > StandardCodecSerializer::kMaxReadNesting;
  if (too_deep_ && !message_->reported_too_deep) {
    message_->reported_too_deep = true;
    WriteErrorLine(kTooDeepLine);
  }
}

MessageReadScope::~MessageReadScope() {
  --tls_depth;
  if (message_ == &own_) {
    innermost_message_ = own_.outer;
  }
}

bool MessageReadScope::AcceptEntries(size_t count, size_t remaining) {
  uint64_t available = remaining > message_->owed_entries ? remaining - message_->owed_entries : 0;
  if (count > available) {
    WriteErrorLine(kInvalidReadLine);
    return false;
  }
  message_->owed_entries += count;
  return true;
}

size_t MessageReadScope::EntriesToReserve(size_t count, size_t remaining) {
  if (remaining == ByteStreamReader::kRemainingUnknown) {
    return std::min(count, kBlindReserveEntries);
  }
  return count;
}

}  // namespace flutter
