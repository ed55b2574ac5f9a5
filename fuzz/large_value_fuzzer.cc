// libFuzzer target: large values (LargeValueGenerator) written with the
// standard serializer into one byte vector that is reused across the messages
// of an input. Every write must hold the writers' memory bound (the vector's
// capacity is not raised above twice its size afterwards plus 4 KiB; a larger
// capacity it already had is kept), grow the vector geometrically (all it
// allocates comes to a small multiple of the vector's size afterwards, so no
// write moves the message once per block) and leave the bytes before its
// message alone; every message must decode completely and come back byte for
// byte from a second encode.
//
// Input: a byte for the number of messages (1 to 16), then for each message a
// settings byte and the bytes of its value. Settings: bits 0-2, how many bytes
// go into the vector before the message (so that its values start at every
// offset); bits 3-4, what becomes of the vector first (cleared, kept with the
// earlier messages in it, replaced by a new one, or replaced by a new one with
// room reserved, one more byte times 1 KiB); bit 5, write and read with a
// derived serializer, that is through the generic path.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include <sanitizer/allocator_interface.h>

#include "encoding/byte_buffer_stream_reader.h"
#include "encoding/byte_buffer_stream_writer.h"
#include "encoding/standard_codec_serializer.h"
#include "fuzz/large_value_generator.h"
#include "fuzz/round_trip_check.h"
#include "tests/support/codec_test_support.h"

namespace {

using flutter::EncodableValue;
using flutter::StandardCodecSerializer;

constexpr size_t kMaxMessages = 16;
// What fills the bytes put into the vector before a message.
constexpr uint8_t kPrefixByte = 0xEE;
// What the writers may add to twice the vector's size.
constexpr size_t kCapacitySlack = 4096;
// Growth by doubling allocates at most about four times the final capacity in
// all; this leaves room for a few steps below doubling, and for the small
// allocations of a short message, but not for a reallocation per block.
constexpr size_t kAllocatedFactor = 8;
constexpr size_t kAllocatedSlack = 64 << 10;

// Bytes allocated by the process while `counting_allocations` is set. The
// sanitizer's allocator reports every allocation here (installed below); only
// the fuzzing thread sets the flag.
bool counting_allocations = false;
size_t allocated_bytes = 0;

void CountAllocation(const volatile void*, size_t size) {
  if (counting_allocations) {
    allocated_bytes += size;
  }
}

void IgnoreRelease(const volatile void*) {}

enum VectorUse : uint8_t { kCleared, kAppended, kFresh, kReserved };

void PrepareVector(uint8_t settings, kovi_fuzz::LargeValueGenerator* input,
                   std::vector<uint8_t>* buffer) {
  switch ((settings >> 3) % 4) {
    case kCleared:
      buffer->clear();
      break;
    case kAppended:
      break;
    case kFresh:
      std::vector<uint8_t>().swap(*buffer);
      break;
    default:
      std::vector<uint8_t>().swap(*buffer);
      buffer->reserve(size_t{input->TakeByte()} << 10);
      break;
  }
  buffer->insert(buffer->end(), settings % 8, kPrefixByte);
}

// Appends `value` as one message and checks what the write did to the vector.
void CheckWrite(const StandardCodecSerializer& serializer, const EncodableValue& value,
                std::vector<uint8_t>* buffer) {
  const size_t start = buffer->size();
  const size_t capacity_before = buffer->capacity();
  const std::vector<uint8_t> before(buffer->end() - std::min<size_t>(start, 8), buffer->end());
  allocated_bytes = 0;
  counting_allocations = true;
  {
    flutter::ByteBufferStreamWriter writer(buffer);
    serializer.WriteValue(value, &writer);
  }
  counting_allocations = false;
  const size_t size = buffer->size();
  const size_t capacity = buffer->capacity();
  if (capacity != capacity_before && capacity > 2 * size + kCapacitySlack) {
    std::fprintf(stderr, "capacity %zu before, %zu after, for %zu bytes (%zu before the message)\n",
                 capacity_before, capacity, size, start);
    kovi_fuzz::Fail("a write raised the vector's capacity above its bound");
  }
  if (allocated_bytes > kAllocatedFactor * size + kAllocatedSlack) {
    std::fprintf(stderr, "%zu bytes allocated for %zu bytes (%zu before the message)\n",
                 allocated_bytes, size, start);
    kovi_fuzz::Fail("a write allocated far more than it wrote");
  }
  if (!std::equal(before.begin(), before.end(), buffer->begin() + (start - before.size()))) {
    kovi_fuzz::Fail("a write changed the bytes before its message");
  }
}

// Decodes the message that starts at `start` and encodes it again at the same
// offset modulo 8, since alignment counts from the start of the vector.
void CheckRoundTrip(const StandardCodecSerializer& serializer, const std::vector<uint8_t>& buffer,
                    size_t start) {
  flutter::ByteBufferStreamReader reader(buffer.data(), buffer.size());
  reader.ReadInPlace(start);
  const EncodableValue decoded = serializer.ReadValue(&reader);
  if (reader.RemainingBytes() != 0) {
    kovi_fuzz::Fail("a message was not read to its end");
  }
  std::vector<uint8_t> first(start % 8, 0);
  first.insert(first.end(), buffer.begin() + start, buffer.end());
  std::vector<uint8_t> second(start % 8, 0);
  flutter::ByteBufferStreamWriter writer(&second);
  StandardCodecSerializer::GetInstance().WriteValue(decoded, &writer);
  kovi_fuzz::RequireSameEncoding(first, second, "large value");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  __sanitizer_install_malloc_and_free_hooks(CountAllocation, IgnoreRelease);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const kovi_test::DerivedSerializer derived;
  kovi_fuzz::LargeValueGenerator input(data, size);
  std::vector<uint8_t> buffer;
  const size_t messages = 1 + input.TakeByte() % kMaxMessages;
  for (size_t i = 0; i < messages; ++i) {
    const uint8_t settings = input.TakeByte();
    PrepareVector(settings, &input, &buffer);
    const StandardCodecSerializer& serializer =
        (settings & 0x20) != 0 ? derived : StandardCodecSerializer::GetInstance();
    const size_t start = buffer.size();
    CheckWrite(serializer, input.Value(), &buffer);
    CheckRoundTrip(serializer, buffer, start);
  }
  return 0;
}
