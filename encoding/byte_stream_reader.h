// The source the standard codec reads one message from. Implementations keep
// their own read position; one reader serves one decode on one thread.
#ifndef KOVI_ENCODING_BYTE_STREAM_READER_H_
#define KOVI_ENCODING_BYTE_STREAM_READER_H_

#include <cstddef>
#include <cstdint>
#include <limits>

namespace flutter {

class ByteStreamReader {
 public:
  // What RemainingBytes answers when the reader cannot tell.
  static constexpr size_t kRemainingUnknown = std::numeric_limits<size_t>::max();

  virtual ~ByteStreamReader() = default;

  // Reads one byte; past the end, reports and returns 0.
  virtual uint8_t ReadByte() = 0;
  // Copies `length` bytes into `buffer`; past the end, reports and leaves the
  // buffer untouched.
  virtual void ReadBytes(uint8_t* buffer, size_t length) = 0;
  // Skips to the next multiple of `alignment`, counted from the message start.
  virtual void ReadAlignment(uint8_t alignment) = 0;
  // How many unread bytes are left. The serializer uses it to refuse announced
  // sizes and counts that reach too far past the end (kShortReadAllowance)
  // before allocating for them. A reader that cannot tell keeps this default,
  // and the serializer then trusts what the input announces: a string, byte
  // list or typed list is allocated at its announced length (up to 4 GiB of
  // bytes, 32 GiB for a list of 8-byte elements) before its bytes are read,
  // since input that is cut short still reads as that many zero bytes; only
  // the room made ahead for a list's elements stays small. Keep this default
  // only for input whose sizes are trusted.
  virtual size_t RemainingBytes() const { return kRemainingUnknown; }
};

}  // namespace flutter

#endif  // KOVI_ENCODING_BYTE_STREAM_READER_H_
