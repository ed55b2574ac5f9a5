// A ByteStreamReader over a byte buffer it does not own; the buffer must
// outlive the reader. Created on the stack for one decode.
#ifndef KOVI_ENCODING_BYTE_BUFFER_STREAM_READER_H_
#define KOVI_ENCODING_BYTE_BUFFER_STREAM_READER_H_

#include <cstddef>
#include <cstdint>

#include "encoding/byte_stream_reader.h"

namespace flutter {

class ByteBufferStreamReader : public ByteStreamReader {
 public:
  // Starts at the first byte. `bytes` may be null when `size` is 0.
  ByteBufferStreamReader(const uint8_t* bytes, size_t size);
  ~ByteBufferStreamReader() override;

  // Past the end: writes "Invalid read in StandardCodecByteStreamReader" and
  // returns 0 (ReadByte) or leaves the buffer untouched (ReadBytes); the
  // position does not move.
  uint8_t ReadByte() override;
  void ReadBytes(uint8_t* buffer, size_t length) override;
  // Not bounds-checked: a position moved past the end makes later reads fail.
  void ReadAlignment(uint8_t alignment) override;
  size_t RemainingBytes() const override;

 private:
  const uint8_t* bytes_;
  size_t size_;
  size_t location_ = 0;
};

}  // namespace flutter

#endif  // KOVI_ENCODING_BYTE_BUFFER_STREAM_READER_H_
