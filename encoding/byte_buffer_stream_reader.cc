#include "encoding/byte_buffer_stream_reader.h"

#include <cstring>

#include "encoding/error_line.h"

namespace flutter {

ByteBufferStreamReader::ByteBufferStreamReader(const uint8_t* bytes, size_t size)
    : bytes_(bytes), size_(size) {}

ByteBufferStreamReader::~ByteBufferStreamReader() = default;

uint8_t ByteBufferStreamReader::ReadByte() {
  if (location_ >= size_) {
    WriteErrorLine(kInvalidReadLine);
    return 0;
  }
  return bytes_[location_++];
}

void ByteBufferStreamReader::ReadBytes(uint8_t* buffer, size_t length) {
  if (length > size_ || location_ > size_ - length) {
    WriteErrorLine(kInvalidReadLine);
    return;
  }
  if (length > 0) {
    std::memcpy(buffer, bytes_ + location_, length);
    location_ += length;
  }
}

void ByteBufferStreamReader::ReadAlignment(uint8_t alignment) {
  if (alignment == 0) {
    return;
  }
  size_t misalignment = location_ % alignment;
  if (misalignment != 0) {
    location_ += alignment - misalignment;
  }
}

size_t ByteBufferStreamReader::RemainingBytes() const {
  return location_ >= size_ ? 0 : size_ - location_;
}

}  // namespace flutter
