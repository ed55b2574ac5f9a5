// Byte streams other than the buffer streams, for tests that make the
// serializer take its path for arbitrary streams: a writer appending to a
// vector through the abstract interface, and a reader that cannot tell how
// much input is left.
#ifndef KOVI_TESTS_SUPPORT_PLAIN_STREAMS_H_
#define KOVI_TESTS_SUPPORT_PLAIN_STREAMS_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "encoding/byte_buffer_stream_reader.h"
#include "encoding/byte_stream_reader.h"
#include "encoding/byte_stream_writer.h"

namespace kovi_test {

class PlainWriter : public flutter::ByteStreamWriter {
 public:
  explicit PlainWriter(std::vector<uint8_t>* bytes) : bytes_(bytes) {}
  void WriteByte(uint8_t byte) override { bytes_->push_back(byte); }
  void WriteBytes(const uint8_t* bytes, size_t length) override {
    bytes_->insert(bytes_->end(), bytes, bytes + length);
  }
  void WriteAlignment(uint8_t alignment) override {
    while (bytes_->size() % alignment != 0) {
      bytes_->push_back(0);
    }
  }

 private:
  std::vector<uint8_t>* bytes_;
};

// Keeps RemainingBytes at its default (unknown): counts are trusted.
class OpaqueReader : public flutter::ByteStreamReader {
 public:
  explicit OpaqueReader(const std::vector<uint8_t>& bytes) : inner_(bytes.data(), bytes.size()) {}
  uint8_t ReadByte() override { return inner_.ReadByte(); }
  void ReadBytes(uint8_t* buffer, size_t length) override { inner_.ReadBytes(buffer, length); }
  void ReadAlignment(uint8_t alignment) override { inner_.ReadAlignment(alignment); }

 private:
  flutter::ByteBufferStreamReader inner_;
};

}  // namespace kovi_test

#endif  // KOVI_TESTS_SUPPORT_PLAIN_STREAMS_H_
