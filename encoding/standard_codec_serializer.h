// The rules of the standard message format: turns one EncodableValue into
// bytes and back. Stateless; the shared instance may be used from any thread.
// Derive and override WriteValue / ReadValueOfType to carry custom values or
// further tags: nested values always go through those two virtuals.
#ifndef KOVI_ENCODING_STANDARD_CODEC_SERIALIZER_H_
#define KOVI_ENCODING_STANDARD_CODEC_SERIALIZER_H_

#include <cstddef>
#include <cstdint>

#include "encoding/byte_stream_reader.h"
#include "encoding/byte_stream_writer.h"
#include "encoding/encodable_value.h"

namespace flutter {

class StandardCodecSerializer {
 public:
  // Reading stops descending at this many nested lists and maps: a list or map
  // inside kMaxReadNesting others reads as null, with one line per message,
  // and all it holds is skipped (by the standard tags alone, without
  // recursion), so the values after it read as written. The
  // count covers every read in progress on the thread, so a serializer that
  // decodes an embedded message while reading another does not multiply it.
  static constexpr int kMaxReadNesting = 256;
  // The largest string length, byte count or entry count the size encoding can
  // carry; WriteValue writes a larger value as null, with one line.
  static constexpr uint64_t kMaxWireSize = 0xFFFFFFFFu;

  StandardCodecSerializer();
  virtual ~StandardCodecSerializer();

  // The process-wide instance, built on first use.
  static const StandardCodecSerializer& GetInstance();

  // Reads one complete value: a tag byte, then its payload. Never fails hard:
  // damage is reported on stderr and read as documented for the format.
  EncodableValue ReadValue(ByteStreamReader* stream) const;

  // Appends the tag and payload of `value`. A custom value is written as null
  // with one line; a valueless value as null.
  virtual void WriteValue(const EncodableValue& value, ByteStreamWriter* stream) const;

 protected:
  // Reads the payload of a value whose tag byte `type` was already read.
  virtual EncodableValue ReadValueOfType(uint8_t type, ByteStreamReader* stream) const;

  // Reads a size: one byte below 254; 254 then 16 bits; 255 then 32 bits.
  size_t ReadSize(ByteStreamReader* stream) const;
  // Writes a size in the shortest of the three forms. A size above
  // kMaxWireSize cannot be expressed: it writes one line and nothing else
  // (WriteValue never asks for one).
  void WriteSize(size_t size, ByteStreamWriter* stream) const;

  // Writes `tag` and then `size`, the head of every sized value. A size above
  // kMaxWireSize writes the null tag and one line instead and returns false:
  // the caller then writes no payload, and the value arrives as null.
  bool WriteSizedTag(uint8_t tag, size_t size, ByteStreamWriter* stream) const;
};

}  // namespace flutter

#endif  // KOVI_ENCODING_STANDARD_CODEC_SERIALIZER_H_
