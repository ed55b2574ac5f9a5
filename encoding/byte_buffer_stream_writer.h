// A ByteStreamWriter that appends to a byte vector it does not own; the vector
// must outlive the writer. Alignment is counted from the start of the vector.
// The vector may be reused (cleared) across messages.
//
// Memory bound, for any value and whether the vector starts empty or reused:
// writing one message never raises the vector's capacity above twice the
// vector's size afterwards plus 4 KiB; a capacity that was already larger is
// kept as it is.
//
// Final, with its writes inline: the serializer recognises it and appends to it
// without a virtual call per number.
#ifndef KOVI_ENCODING_BYTE_BUFFER_STREAM_WRITER_H_
#define KOVI_ENCODING_BYTE_BUFFER_STREAM_WRITER_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "encoding/byte_stream_writer.h"

namespace flutter {

class ByteBufferStreamWriter final : public ByteStreamWriter {
 public:
  explicit ByteBufferStreamWriter(std::vector<uint8_t>* buffer) : buffer_(buffer) {}
  ~ByteBufferStreamWriter() override;

  void WriteByte(uint8_t byte) override { buffer_->push_back(byte); }

  void WriteBytes(const uint8_t* bytes, size_t length) override {
    buffer_->insert(buffer_->end(), bytes, bytes + length);
  }

  // The vector appended to. The standard serializer writes a whole message
  // into it in place rather than through this writer's operations.
  std::vector<uint8_t>* buffer() const { return buffer_; }

  // Appends one zero byte at a time up to the next multiple of `alignment`.
  void WriteAlignment(uint8_t alignment) override {
    if (alignment > 1) {
      for (size_t i = buffer_->size() % alignment; i != 0 && i < alignment; ++i) {
        WriteByte(0);
      }
    }
  }

 private:
  std::vector<uint8_t>* buffer_;
};

}  // namespace flutter

#endif  // KOVI_ENCODING_BYTE_BUFFER_STREAM_WRITER_H_
