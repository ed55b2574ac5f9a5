#include "encoding/in_place_writer.h"

#include <algorithm>

namespace flutter {
namespace {

// The least room made at a time.
constexpr size_t kMinimumRoom = 64;
// A block at least this long is copied straight to the end of the vector.
constexpr size_t kDirectCopy = InPlaceWriter::kRoomBound;

}  // namespace

InPlaceWriter::InPlaceWriter(std::vector<uint8_t>* buffer, size_t expected) : buffer_(buffer) {
  size_t written = buffer_->size();
  Resize(written + std::min(expected, kRoomBound), written);
}

InPlaceWriter::~InPlaceWriter() {
  buffer_->resize(static_cast<size_t>(cursor_ - start_));
}

void InPlaceWriter::Grow(size_t length) {
  size_t written = static_cast<size_t>(cursor_ - start_);
  Resize(std::max(2 * buffer_->size(), written + length + kMinimumRoom), written);
}

void InPlaceWriter::AppendBeyondRoom(const uint8_t* bytes, size_t length) {
  if (length < kDirectCopy) {
    Grow(length);
    WriteBytes(bytes, length);
    return;
  }
  // Room grows with the bytes written, never with the capacity the vector
  // already has: a reused vector, or one that took many long blocks, would
  // otherwise double its capacity per block. And it grows only when the block
  // does not fit: asking for twice the bytes written on every block would
  // move the whole message once per block.
  size_t written = static_cast<size_t>(cursor_ - start_);
  size_t total = written + length;
  if (buffer_->capacity() < total + kMinimumRoom) {
    buffer_->reserve(std::max(2 * written, total + kMinimumRoom));
  }
  buffer_->resize(written);
  buffer_->insert(buffer_->end(), bytes, bytes + length);
  Resize(total + kMinimumRoom, total);
}

void InPlaceWriter::Resize(size_t size, size_t written) {
  buffer_->resize(size);
  start_ = buffer_->data();
  cursor_ = start_ + written;
  end_ = start_ + size;
}

}  // namespace flutter
