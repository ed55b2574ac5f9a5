// The sink the standard codec writes one message to. One writer serves one
// encode on one thread.
#ifndef KOVI_ENCODING_BYTE_STREAM_WRITER_H_
#define KOVI_ENCODING_BYTE_STREAM_WRITER_H_

#include <cstddef>
#include <cstdint>

namespace flutter {

class ByteStreamWriter {
 public:
  virtual ~ByteStreamWriter() = default;

  virtual void WriteByte(uint8_t byte) = 0;
  virtual void WriteBytes(const uint8_t* bytes, size_t length) = 0;
  // Appends zero bytes up to the next multiple of `alignment`, counted from the
  // message start.
  virtual void WriteAlignment(uint8_t alignment) = 0;
};

}  // namespace flutter

#endif  // KOVI_ENCODING_BYTE_STREAM_WRITER_H_
