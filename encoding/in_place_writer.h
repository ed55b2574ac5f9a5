// Appends one message's bytes to a byte vector through a cursor into
// zero-filled room that it keeps at the end of the vector, so that most writes
// are plain stores instead of vector insertions. The room grows by doubling
// the bytes written so far; a large block is copied straight in without
// zero-filling room for it first. Destroying the writer cuts the vector back to
// the bytes written. Alignment is counted from the start of the vector, as for
// every writer.
//
// Memory bound: the vector's capacity is never raised above twice its final
// size plus kRoomBound bytes (a vector that already had more keeps it). The
// room made ahead of the first write is at most kRoomBound; every later
// growth is to at most twice the bytes then needed plus a few dozen bytes.
//
// Not a ByteStreamWriter: only the serializer's own rules write through it,
// never a derived serializer. Lives on the stack of one encode; the vector
// must not be touched by anyone else meanwhile.
#ifndef KOVI_ENCODING_IN_PLACE_WRITER_H_
#define KOVI_ENCODING_IN_PLACE_WRITER_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace flutter {

class InPlaceWriter {
 public:
  // The most room made ahead of the bytes actually written.
  static constexpr size_t kRoomBound = 4096;

  // Starts with room for the `expected` bytes, up to a limit.
  InPlaceWriter(std::vector<uint8_t>* buffer, size_t expected);
  ~InPlaceWriter();

  InPlaceWriter(const InPlaceWriter&) = delete;
  InPlaceWriter& operator=(const InPlaceWriter&) = delete;

  void WriteByte(uint8_t byte) {
    if (cursor_ == end_) {
      Grow(1);
    }
    *cursor_++ = byte;
  }

  void WriteBytes(const uint8_t* bytes, size_t length) {
    if (length > static_cast<size_t>(end_ - cursor_)) {
      AppendBeyondRoom(bytes, length);
      return;
    }
    if (length > 0) {
      std::memcpy(cursor_, bytes, length);
      cursor_ += length;
    }
  }

  // Zero bytes up to the next multiple of `alignment`.
  void WriteAlignment(uint8_t alignment) {
    if (alignment <= 1) {
      return;
    }
    size_t position = static_cast<size_t>(cursor_ - start_);
    size_t padding = (alignment - position % alignment) % alignment;
    if (padding > static_cast<size_t>(end_ - cursor_)) {
      Grow(padding);
    }
    std::memset(cursor_, 0, padding);
    cursor_ += padding;
  }

 private:
  // Makes room for at least `length` more bytes.
  void Grow(size_t length);
  void AppendBeyondRoom(const uint8_t* bytes, size_t length);
  // Resizes the vector to `size` and points the cursor at `written`.
  void Resize(size_t size, size_t written);

  std::vector<uint8_t>* buffer_;
  uint8_t* start_;
  uint8_t* cursor_;
  uint8_t* end_;
};

}  // namespace flutter

#endif  // KOVI_ENCODING_IN_PLACE_WRITER_H_
