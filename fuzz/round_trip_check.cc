#include "fuzz/round_trip_check.h"

#include <cstdio>
#include <cstdlib>

#include "encoding/byte_buffer_stream_reader.h"
#include "encoding/byte_buffer_stream_writer.h"
#include "encoding/standard_codec_serializer.h"

namespace kovi_fuzz {

namespace {

void PrintHex(const char* label, const std::vector<uint8_t>& bytes) {
  std::fprintf(stderr, "%s (%zu bytes):", label, bytes.size());
  for (uint8_t byte : bytes) {
    std::fprintf(stderr, " %02X", byte);
  }
  std::fprintf(stderr, "\n");
}

}  // namespace

flutter::EncodableValue DecodeValue(const uint8_t* bytes, size_t size) {
  flutter::ByteBufferStreamReader reader(bytes, size);
  return flutter::StandardCodecSerializer::GetInstance().ReadValue(&reader);
}

std::vector<uint8_t> EncodeValue(const flutter::EncodableValue& value) {
  std::vector<uint8_t> bytes;
  flutter::ByteBufferStreamWriter writer(&bytes);
  flutter::StandardCodecSerializer::GetInstance().WriteValue(value, &writer);
  return bytes;
}

void RequireSameEncoding(const std::vector<uint8_t>& first, const std::vector<uint8_t>& second,
                         const char* what) {
  if (first == second) {
    return;
  }
  std::fprintf(stderr, "%s changed on a second decode and encode\n", what);
  PrintHex("first encoding", first);
  PrintHex("second encoding", second);
  std::abort();
}

void Fail(const char* reason) {
  std::fprintf(stderr, "%s\n", reason);
  std::abort();
}

}  // namespace kovi_fuzz
