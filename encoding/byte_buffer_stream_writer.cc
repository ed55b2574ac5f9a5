#include "encoding/byte_buffer_stream_writer.h"

namespace flutter {

ByteBufferStreamWriter::ByteBufferStreamWriter(std::vector<uint8_t>* buffer) : buffer_(buffer) {}

ByteBufferStreamWriter::~ByteBufferStreamWriter() = default;

void ByteBufferStreamWriter::WriteByte(uint8_t byte) {
  buffer_->push_back(byte);
}

void ByteBufferStreamWriter::WriteBytes(const uint8_t* bytes, size_t length) {
  if (length > 0) {
    buffer_->insert(buffer_->end(), bytes, bytes + length);
  }
}

void ByteBufferStreamWriter::WriteAlignment(uint8_t alignment) {
  if (alignment == 0) {
    return;
  }
  size_t misalignment = buffer_->size() % alignment;
  if (misalignment == 0) {
    return;
  }
  for (size_t i = misalignment; i < alignment; ++i) {
    WriteByte(0);
  }
}

}  // namespace flutter
