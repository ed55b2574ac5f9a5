#include "fuzz/round_trip_check.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "encoding/byte_buffer_stream_reader.h"
#include "encoding/standard_codec_serializer.h"

namespace kovi_fuzz {

namespace {

// Long encodings are shown only around `difference`, the first offset at
// which they differ: whole MiB messages would bury the report.
constexpr size_t kWholeUpTo = 512;
constexpr size_t kContext = 64;

void PrintHex(const char* label, const std::vector<uint8_t>& bytes, size_t difference) {
  size_t from = 0;
  size_t to = bytes.size();
  if (to > kWholeUpTo) {
    from = difference > kContext ? difference - kContext : 0;
    to = std::min(to, difference + kContext);
  }
  std::fprintf(stderr, "%s (%zu bytes, from offset %zu):", label, bytes.size(), from);
  for (size_t i = from; i < to; ++i) {
    std::fprintf(stderr, " %02X", bytes[i]);
  }
  std::fprintf(stderr, "\n");
}

}  // namespace

flutter::EncodableValue DecodeValue(const uint8_t* bytes, size_t size) {
  flutter::ByteBufferStreamReader reader(bytes, size);
  return flutter::StandardCodecSerializer::GetInstance().ReadValue(&reader);
}

void RequireSameEncoding(const std::vector<uint8_t>& first, const std::vector<uint8_t>& second,
                         const char* what) {
  if (first == second) {
    return;
  }
  const size_t difference = static_cast<size_t>(
      std::mismatch(first.begin(), first.end(), second.begin(), second.end()).first -
      first.begin());
  std::fprintf(stderr, "%s changed on a second decode and encode, first at offset %zu\n", what,
               difference);
  PrintHex("first encoding", first, difference);
  PrintHex("second encoding", second, difference);
  std::abort();
}

void Fail(const char* reason) {
  std::fprintf(stderr, "%s\n", reason);
  std::abort();
}

}  // namespace kovi_fuzz
