// A ByteStreamReader over a byte buffer it does not own; the buffer must
// outlive the reader. Created on the stack for one decode.
//
// Final, with its reads inline: the serializer recognises it and reads from it
// without a virtual call per number.
#ifndef KOVI_ENCODING_BYTE_BUFFER_STREAM_READER_H_
#define KOVI_ENCODING_BYTE_BUFFER_STREAM_READER_H_

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "encoding/byte_stream_reader.h"

namespace flutter {

// How far the announced sizes and counts of one message may reach past the
// unread input and still be read as the format says for a short input: the
// missing bytes as zero bytes, the missing entries as null, each with its
// line. Within it, a message cut short by its sender or on the way keeps its
// announced lengths; beyond it the serializer refuses the size or count before
// allocating for it, as no remaining input could hold it. So what a hostile
// message makes the reader allocate stays proportional to its own size, plus
// this allowance (64 KiB of zero bytes, 64 Ki values of lists and maps, a map
// entry being two: its key and its value).
constexpr size_t kShortReadAllowance = 65536;

class ByteBufferStreamReader final : public ByteStreamReader {
 public:
  // Starts at the first byte. `bytes` may be null when `size` is 0.
  ByteBufferStreamReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}
  ~ByteBufferStreamReader() override;

  // Past the end: writes "Invalid read in StandardCodecByteStreamReader" and
  // returns 0 (ReadByte) or leaves the buffer untouched (ReadBytes); the
  // position does not move.
  uint8_t ReadByte() override {
    if (location_ >= size_) {
      ReportInvalidRead();
      return 0;
    }
    return bytes_[location_++];
  }

  void ReadBytes(uint8_t* buffer, size_t length) override {
    if (length > size_ || location_ > size_ - length) {
      ReportInvalidRead();
      return;
    }
    if (length > 0) {
      std::memcpy(buffer, bytes_ + location_, length);
      location_ += length;
    }
  }

  // Consumes the next `length` bytes and returns where they lie in the buffer,
  // so that the caller copies them once, straight to where they belong. Past
  // the end: reports as ReadBytes does, returns null and does not move.
  const uint8_t* ReadInPlace(size_t length) {
    if (length > size_ || location_ > size_ - length) {
      ReportInvalidRead();
      return nullptr;
    }
    const uint8_t* start = bytes_ + location_;
    location_ += length;
    return start;
  }

  // Not bounds-checked: a position moved past the end makes later reads fail.
  void ReadAlignment(uint8_t alignment) override {
    if (alignment > 1 && location_ % alignment != 0) {
      location_ += alignment - location_ % alignment;
    }
  }

  size_t RemainingBytes() const override { return location_ >= size_ ? 0 : size_ - location_; }

 private:
  static void ReportInvalidRead();

  const uint8_t* bytes_;
  size_t size_;
  size_t location_ = 0;
};

}  // namespace flutter

#endif  // KOVI_ENCODING_BYTE_BUFFER_STREAM_READER_H_
