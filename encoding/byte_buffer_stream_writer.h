// A ByteStreamWriter that appends to a byte vector it does not own; the vector
// must outlive the writer. Alignment is counted from the start of the vector.
#ifndef KOVI_ENCODING_BYTE_BUFFER_STREAM_WRITER_H_
#define KOVI_ENCODING_BYTE_BUFFER_STREAM_WRITER_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "encoding/byte_stream_writer.h"

namespace flutter {

class ByteBufferStreamWriter : public ByteStreamWriter {
 public:
  explicit ByteBufferStreamWriter(std::vector<uint8_t>* buffer);
  ~ByteBufferStreamWriter() override;

  void WriteByte(uint8_t byte) override;
  void WriteBytes(const uint8_t* bytes, size_t length) override;
  void WriteAlignment(uint8_t alignment) override;

 private:
  std::vector<uint8_t>* buffer_;
};

}  // namespace flutter

#endif  // KOVI_ENCODING_BYTE_BUFFER_STREAM_WRITER_H_
