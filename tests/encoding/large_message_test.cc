// Messages of megabytes: the writers' memory bound over shapes that once made
// them reserve without limit, the method codec's calls and envelopes among
// them, and large values carried through every envelope of the method codec,
// byte-identical after a round trip.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "encoding/byte_buffer_stream_reader.h"
#include "encoding/byte_buffer_stream_writer.h"
#include "encoding/standard_codec_serializer.h"
#include "encoding/standard_method_codec.h"
#include "tests/support/codec_test_support.h"
#include "tests/support/plain_streams.h"
#include "tests/support/recording_method_result.h"
#include "tests/support/row_name.h"
#include "tests/support/stderr_capture.h"

namespace kovi_test {
namespace {

using kovi_test::operator<<;
using flutter::ByteBufferStreamReader;
using flutter::ByteBufferStreamWriter;
using flutter::MethodCall;
using flutter::StandardCodecSerializer;
using flutter::StandardMethodCodec;

constexpr size_t kMiB = 1 << 20;
// What writing a message may raise a vector's capacity to, beyond twice the
// largest message written into it so far.
constexpr size_t kSlack = 4096;

EncodableValue Blocks(size_t count, size_t length) {
  EncodableList list;
  for (size_t i = 0; i < count; ++i) {
    list.emplace_back(Bytes(length, static_cast<uint8_t>(i)));
  }
  return EncodableValue(std::move(list));
}

// Many short values, then long blocks.
EncodableValue LongAfterShort() {
  EncodableList list(10000, EncodableValue(int32_t{7}));
  for (int i = 0; i < 30; ++i) {
    list.emplace_back(std::string(70000, 'a' + i % 26));
  }
  return EncodableValue(std::move(list));
}

template <typename T>
EncodableValue TypedMiB() {
  std::vector<T> elements(kMiB / sizeof(T));
  for (size_t i = 0; i < elements.size(); ++i) {
    elements[i] = static_cast<T>(i * 3 + 1);
  }
  return EncodableValue(std::move(elements));
}

// ---- The writer's memory bound. ----

// Who writes the message: the standard serializer, a derived one through the
// generic path, or the method codec into a vector of its own.
enum class Path { kStandard, kDerived, kCall, kSuccess, kError };

// What each path writes before the value, by Path: nothing, nothing, the
// call's name "m", the success flag, or the error flag, the code "E" and no
// message.
const char* const kHeads[] = {"", "", "07 01 6D", "00", "01 07 01 45 00"};

// Writes one message of `value` into `buffer`, which holds `prefix` bytes of
// 0xAA first; the codec's paths replace it with the vector they return.
void WriteMessage(Path path, const EncodableValue& value, size_t prefix, Bytes* buffer) {
  // Through the generic path, so the buffer writer is used through its
  // ByteStreamWriter operations.
  static const DerivedSerializer derived;
  const StandardMethodCodec& codec = StandardMethodCodec::GetInstance();
  switch (path) {
    case Path::kCall:
      *buffer = std::move(
          *codec.EncodeMethodCall(MethodCall("m", std::make_unique<EncodableValue>(value))));
      return;
    case Path::kSuccess:
      *buffer = std::move(*codec.EncodeSuccessEnvelope(&value));
      return;
    case Path::kError:
      *buffer = std::move(*codec.EncodeErrorEnvelope("E", "", &value));
      return;
    default: {
      buffer->clear();
      buffer->resize(prefix, 0xAA);
      ByteBufferStreamWriter writer(buffer);
      const StandardCodecSerializer& serializer =
          path == Path::kDerived ? derived : StandardCodecSerializer::GetInstance();
      serializer.WriteValue(value, &writer);
    }
  }
}

EncodableValue HugeBlock() {
  return Bytes(8 * kMiB, 0x5A);
}

EncodableValue MillionNulls() {
  return EncodableValue(EncodableList(1000000));
}

// Small entries, far below the size guessed for each.
EncodableValue SmallMapEntries() {
  EncodableMap map;
  for (int32_t i = 0; i < 100000; ++i) {
    map.emplace(EncodableValue(i), EncodableValue());
  }
  return EncodableValue(std::move(map));
}

struct MemoryCase {
  std::string name;
  EncodableValue (*make)();
  size_t prefix;  // bytes already in the vector before each message
  int messages;   // messages written into the same vector, cleared between
  Path path;
};

std::vector<MemoryCase> MemoryCases() {
  std::vector<MemoryCase> cases = {
      {"OneHugeBlock", HugeBlock, 0, 1, Path::kStandard},
      {"FortyPageBlocks", [] { return Blocks(40, 4096); }, 0, 1, Path::kStandard},
      {"HundredsOfLongBlocks", [] { return Blocks(400, 5000); }, 3, 1, Path::kStandard},
      {"LongBlocksAfterManyShortValues", LongAfterShort, 1, 1, Path::kStandard},
      {"ReusedForAThousandMessages", TypedMiB<int32_t>, 0, 1000, Path::kStandard},
      {"ReusedWithBlocks", [] { return Blocks(40, 4096); }, 5, 50, Path::kStandard},
      {"DerivedHugeBlock", HugeBlock, 0, 3, Path::kDerived},
      {"DerivedLongBlocks", [] { return Blocks(400, 5000); }, 7, 3, Path::kDerived},
      {"MillionNullsInACall", MillionNulls, 0, 1, Path::kCall},
      {"MillionNullsInASuccessEnvelope", MillionNulls, 0, 1, Path::kSuccess},
      {"MillionNullsInAnErrorEnvelope", MillionNulls, 0, 1, Path::kError},
      {"SmallMapEntriesInACall", SmallMapEntries, 0, 1, Path::kCall},
      {"SmallMapEntriesInAnErrorEnvelope", SmallMapEntries, 0, 1, Path::kError},
      {"HugeBlockInASuccessEnvelope", HugeBlock, 0, 1, Path::kSuccess},
  };
  for (size_t offset = 0; offset < 8; ++offset) {
    const std::string at = "At" + std::to_string(offset);
    cases.push_back({"Int32List" + at, TypedMiB<int32_t>, offset, 2, Path::kStandard});
    cases.push_back({"Int64List" + at, TypedMiB<int64_t>, offset, 2, Path::kStandard});
    cases.push_back({"DoubleList" + at, TypedMiB<double>, offset, 2, Path::kStandard});
    cases.push_back({"FloatList" + at, TypedMiB<float>, offset, 2, Path::kStandard});
  }
  return cases;
}

class WriterMemoryTest : public testing::TestWithParam<MemoryCase> {};

TEST_P(WriterMemoryTest, CapacityStaysWithinTwiceTheMessageAndBytesAreExact) {
  const MemoryCase& param = GetParam();
  const EncodableValue value = param.make();

  Bytes expected = Hex(kHeads[static_cast<int>(param.path)]);
  expected.resize(expected.size() + param.prefix, 0xAA);
  PlainWriter plain(&expected);
  StandardCodecSerializer::GetInstance().WriteValue(value, &plain);

  Bytes buffer;
  size_t limit = 0;
  for (int message = 0; message < param.messages; ++message) {
    WriteMessage(param.path, value, param.prefix, &buffer);
    limit = std::max(limit, 2 * buffer.size() + kSlack);
    ASSERT_LE(buffer.capacity(), limit) << "message " << message;
    ASSERT_TRUE(buffer == expected) << "message " << message;
  }
}

INSTANTIATE_TEST_SUITE_P(Shapes, WriterMemoryTest, testing::ValuesIn(MemoryCases()), RowName());

// ---- Large messages through every envelope. ----

// Thousands of entries with mixed values.
EncodableValue WideMap() {
  EncodableMap map;
  for (int i = 0; i < 5000; ++i) {
    const std::string key = "key-" + std::to_string(i);
    if (i % 4 == 0) {
      map.emplace(key, int64_t{i} << 33);
    } else if (i % 4 == 1) {
      map.emplace(key, i * 0.5);
    } else if (i % 4 == 2) {
      map.emplace(key, EncodableList{i, "x", true});
    } else {
      map.emplace(key, EncodableMap{{i, std::string(static_cast<size_t>(i), 'v')}});
    }
  }
  return EncodableValue(std::move(map));
}

// Strings and byte lists on both sides of every size-form boundary.
EncodableValue SizeBoundaries() {
  const size_t lengths[] = {0, 1, 253, 254, 255, 65535, 65536, 65537, 70000};
  EncodableList list;
  for (int round = 0; round < 12; ++round) {
    for (size_t length : lengths) {
      list.emplace_back(std::string(length, static_cast<char>('a' + round)));
      list.emplace_back(Bytes(length, static_cast<uint8_t>(round)));
    }
  }
  return EncodableValue(std::move(list));
}

// Typed lists of megabytes, each after an odd-length string so that none
// starts aligned.
EncodableValue TypedAtOddOffsets() {
  return EncodableList{"a",
                       TypedMiB<int32_t>(),
                       "abc",
                       TypedMiB<int64_t>(),
                       "ab",
                       TypedMiB<double>(),
                       "abcde",
                       TypedMiB<float>(),
                       Bytes(kMiB + 1, 0x11),
                       "a",
                       std::vector<double>()};
}

// Lists and maps nested as deep as a reader accepts, each level wide.
EncodableValue DeepAndWide() {
  EncodableValue inner(EncodableList(200, EncodableValue("leaf")));
  for (int depth = 1; depth < StandardCodecSerializer::kMaxReadNesting; ++depth) {
    const std::string text(300, static_cast<char>('a' + depth % 26));
    if (depth % 2 == 0) {
      EncodableList level(50, EncodableValue(text));
      level.push_back(std::move(inner));
      inner = EncodableValue(std::move(level));
    } else {
      EncodableMap level;
      for (int i = 0; i < 50; ++i) {
        level.emplace(EncodableValue(i), EncodableValue(text));
      }
      level.emplace(EncodableValue("next"), std::move(inner));
      inner = EncodableValue(std::move(level));
    }
  }
  return inner;
}

struct LargeCase {
  const char* name;
  EncodableValue (*make)();
};

const LargeCase kLargeCases[] = {
    {"ThousandsOfMapEntries", WideMap},
    {"StringsAndBytesAtEverySizeBoundary", SizeBoundaries},
    {"TypedListsOfMegabytesAtOddOffsets", TypedAtOddOffsets},
    {"DeepLegalNestingWithWideLevels", DeepAndWide},
};

// Every case writes nothing on the error stream.
class LargeMessageTest : public testing::TestWithParam<LargeCase> {
 protected:
  void TearDown() override { EXPECT_EQ(capture_.Text(), ""); }

  const StandardMethodCodec& codec_ = StandardMethodCodec::GetInstance();
  StderrCapture capture_;
};

TEST_P(LargeMessageTest, BareValueRoundTripsByteIdentical) {
  const EncodableValue value = GetParam().make();
  const Bytes bytes = EncodeValue(value);
  ASSERT_GT(bytes.size(), kMiB);
  ByteBufferStreamReader reader(bytes.data(), bytes.size());
  const EncodableValue read = StandardCodecSerializer::GetInstance().ReadValue(&reader);
  EXPECT_EQ(reader.RemainingBytes(), 0u);
  EXPECT_TRUE(EncodeValue(read) == bytes);
}

TEST_P(LargeMessageTest, MethodCallRoundTripsByteIdentical) {
  MethodCall call("configure", std::make_unique<EncodableValue>(GetParam().make()));
  std::unique_ptr<Bytes> bytes = codec_.EncodeMethodCall(call);
  std::unique_ptr<MethodCall> decoded = codec_.DecodeMethodCall(bytes->data(), bytes->size());
  ASSERT_NE(decoded, nullptr);
  EXPECT_EQ(decoded->method_name(), "configure");
  EXPECT_TRUE(*codec_.EncodeMethodCall(*decoded) == *bytes);
}

TEST_P(LargeMessageTest, SuccessEnvelopeRoundTripsByteIdentical) {
  const EncodableValue value = GetParam().make();
  std::unique_ptr<Bytes> bytes = codec_.EncodeSuccessEnvelope(&value);
  RecordingMethodResult result;
  ASSERT_TRUE(codec_.DecodeAndProcessResponseEnvelope(bytes->data(), bytes->size(), &result));
  ASSERT_EQ(result.answers().size(), 1u);
  EXPECT_TRUE(*codec_.EncodeSuccessEnvelope(result.answers()[0].value_pointer()) == *bytes);
}

TEST_P(LargeMessageTest, ErrorEnvelopeRoundTripsByteIdentical) {
  const EncodableValue details = GetParam().make();
  const std::string message(70000, 'm');
  std::unique_ptr<Bytes> bytes = codec_.EncodeErrorEnvelope("E_LARGE", message, &details);
  RecordingMethodResult result;
  ASSERT_TRUE(codec_.DecodeAndProcessResponseEnvelope(bytes->data(), bytes->size(), &result));
  ASSERT_EQ(result.answers().size(), 1u);
  const RecordedAnswer& answer = result.answers()[0];
  EXPECT_EQ(answer.code, "E_LARGE");
  EXPECT_EQ(answer.message, message);
  EXPECT_TRUE(*codec_.EncodeErrorEnvelope(answer.code, answer.message, answer.value_pointer()) ==
              *bytes);
}

INSTANTIATE_TEST_SUITE_P(Shapes, LargeMessageTest, testing::ValuesIn(kLargeCases), RowName());

}  // namespace
}  // namespace kovi_test
