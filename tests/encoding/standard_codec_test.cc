#include "encoding/standard_codec_serializer.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "encoding/byte_buffer_stream_reader.h"
#include "encoding/byte_buffer_stream_writer.h"
#include "tests/support/codec_test_support.h"
#include "tests/support/failure_lines.h"
#include "tests/support/plain_streams.h"
#include "tests/support/row_name.h"
#include "tests/support/stderr_capture.h"

namespace kovi_test {
namespace {

using kovi_test::operator<<;
using flutter::ByteBufferStreamReader;
using flutter::ByteBufferStreamWriter;
using flutter::ByteStreamReader;
using flutter::ByteStreamWriter;
using flutter::CustomEncodableValue;
using flutter::StandardCodecSerializer;

struct Decoded {
  EncodableValue value;
  Lines lines;
  size_t remaining;
};

Decoded Decode(const Bytes& bytes, size_t prefix = 0,
               const StandardCodecSerializer& serializer = StandardCodecSerializer::GetInstance()) {
  StderrCapture capture;
  ByteBufferStreamReader reader(bytes.data(), bytes.size());
  for (size_t i = 0; i < prefix; ++i) {
    reader.ReadByte();
  }
  EncodableValue value = serializer.ReadValue(&reader);
  return {std::move(value), capture.Lines(), reader.RemainingBytes()};
}

std::string Repeat(const std::string& hex, size_t times) {
  std::string text;
  for (size_t i = 0; i < times; ++i) {
    text += hex + " ";
  }
  return text;
}

// ---- Golden table: value <-> exact bytes, both ways. ----

struct Golden {
  const char* name;
  EncodableValue value;
  std::string hex;
};

class GoldenTest : public testing::TestWithParam<Golden> {};

TEST_P(GoldenTest, EncodesToExactBytesAndDecodesBackWholly) {
  {
    StderrCapture capture;
    EXPECT_EQ(HexOf(EncodeValue(GetParam().value)), HexOf(Hex(GetParam().hex)));
    EXPECT_EQ(capture.Text(), "");
  }
  Decoded decoded = Decode(Hex(GetParam().hex));
  EXPECT_EQ(ValueText(decoded.value), ValueText(GetParam().value));
  EXPECT_EQ(decoded.lines, Lines{});
  EXPECT_EQ(decoded.remaining, 0u);
}

const Golden kScalars[] = {
    {"null", EncodableValue(), "00"},
    {"true", true, "01"},
    {"false", false, "02"},
    {"int32_5", int32_t{5}, "03 05 00 00 00"},
    {"int32_min", std::numeric_limits<int32_t>::min(), "03 00 00 00 80"},
    {"int64_5", int64_t{5}, "04 05 00 00 00 00 00 00 00"},
    {"int64_minus1", int64_t{-1}, "04 FF FF FF FF FF FF FF FF"},
    {"double_1", 1.0, "06 00 00 00 00 00 00 00 00 00 00 00 00 00 F0 3F"},
    {"double_negative_zero", -0.0, "06 00 00 00 00 00 00 00 00 00 00 00 00 00 00 80"},
};

const Golden kStrings[] = {
    {"abc", "abc", "07 03 61 62 63"},
    {"empty", "", "07 00"},
    {"utf8_bytes_unchanged", "\xC3\xA9", "07 02 C3 A9"},
    {"bytes", Bytes{1, 0xFF}, "08 02 01 FF"},
    {"bytes_empty", Bytes{}, "08 00"},
};

const Golden kTypedLists[] = {
    {"int32_list", std::vector<int32_t>{1, 2}, "09 02 00 00 01 00 00 00 02 00 00 00"},
    {"int64_list", std::vector<int64_t>{-2}, "0A 01 00 00 00 00 00 00 FE FF FF FF FF FF FF FF"},
    {"double_list", std::vector<double>{1.0}, "0B 01 00 00 00 00 00 00 00 00 00 00 00 00 F0 3F"},
    {"float_list", std::vector<float>{1.0f}, "0E 01 00 00 00 00 80 3F"},
    {"int32_list_empty_pads", std::vector<int32_t>{}, "09 00 00 00"},
    {"int64_list_empty_pads", std::vector<int64_t>{}, "0A 00 00 00 00 00 00 00"},
    {"double_list_empty_pads", std::vector<double>{}, "0B 00 00 00 00 00 00 00"},
    {"float_list_empty_pads", std::vector<float>{}, "0E 00 00 00"},
};

const Golden kContainers[] = {
    {"list_of_int32", EncodableList{int32_t{1}}, "0C 01 03 01 00 00 00"},
    {"empty_list", EncodableList{}, "0C 00"},
    {"map_supported", EncodableMap{{"supported", true}},
     "0D 01 07 09 73 75 70 70 6F 72 74 65 64 01"},
    {"map_in_key_order", EncodableMap{{"b", 1}, {"a", 2}},
     "0D 02 07 01 61 03 02 00 00 00 07 01 62 03 01 00 00 00"},
    // Padding counts from the message start: the double after "0C 02 01 06" sits at 8.
    {"double_in_list_aligns_to_message", EncodableList{true, 2.0},
     "0C 02 01 06 00 00 00 00 00 00 00 00 00 00 00 40"},
    {"empty_int32_list_then_value", EncodableList{std::vector<int32_t>{}, 1},
     "0C 02 09 00 03 01 00 00 00"},
    {"empty_float_list_at_odd_offset_then_value", EncodableList{true, std::vector<float>{}, 1},
     "0C 03 01 0E 00 00 00 00 03 01 00 00 00"},
};

// A string of `length` x's, its size written as `size_hex`.
Golden SizedString(const char* name, size_t length, const std::string& size_hex) {
  return {name, std::string(length, 'x'), "07 " + size_hex + " " + Repeat("78", length)};
}

const Golden kSizes[] = {
    SizedString("size_253_one_byte", 253, "FD"),
    SizedString("size_254_two_bytes", 254, "FE FE 00"),
    SizedString("size_300", 300, "FE 2C 01"),
    SizedString("size_65535", 65535, "FE FF FF"),
    SizedString("size_70000_four_bytes", 70000, "FF 70 11 01 00"),
};

INSTANTIATE_TEST_SUITE_P(Scalars, GoldenTest, testing::ValuesIn(kScalars), RowName());
INSTANTIATE_TEST_SUITE_P(Strings, GoldenTest, testing::ValuesIn(kStrings), RowName());
INSTANTIATE_TEST_SUITE_P(TypedLists, GoldenTest, testing::ValuesIn(kTypedLists), RowName());
INSTANTIATE_TEST_SUITE_P(Containers, GoldenTest, testing::ValuesIn(kContainers), RowName());
INSTANTIATE_TEST_SUITE_P(Sizes, GoldenTest, testing::ValuesIn(kSizes), RowName());

// ---- Reading only: bytes the writer never produces. ----

TEST(StandardCodecRead, Tag5ReadsAsAString) {
  Decoded decoded = Decode(Hex("05 02 31 30"));
  EXPECT_EQ(ValueText(decoded.value), ValueText(EncodableValue("10")));
  EXPECT_EQ(decoded.lines, Lines{});
}

// A string key is built in its map node, any other key as a value first.
TEST(StandardCodecRead, DuplicateMapKeyKeepsTheFirstValue) {
  const std::pair<const char*, EncodableValue> rows[] = {
      {"0D 02 03 01 00 00 00 07 01 61 03 01 00 00 00 07 01 62", EncodableMap{{1, "a"}}},
      {"0D 02 07 01 6B 07 01 61 07 01 6B 07 01 62", EncodableMap{{"k", "a"}}},
  };
  for (const auto& [hex, map] : rows) {
    EXPECT_EQ(ValueText(Decode(Hex(hex)).value), ValueText(map)) << hex;
  }
}

TEST(StandardCodecRead, UnsortedMapKeysAreSorted) {
  Decoded decoded = Decode(Hex("0D 02 07 01 62 00 07 01 61 00"));
  EXPECT_EQ(ValueText(decoded.value),
            ValueText(EncodableValue(EncodableMap{{"a", {}}, {"b", {}}})));
}

TEST(StandardCodecRead, PaddingBytesAreNotInspectedAndTrailingBytesIgnored) {
  Decoded decoded = Decode(Hex("06 AB CD EF 01 02 03 04 00 00 00 00 00 00 F0 3F 99 99"));
  EXPECT_EQ(ValueText(decoded.value), "f64:0x1p+0");
  EXPECT_EQ(decoded.lines, Lines{});
  EXPECT_EQ(decoded.remaining, 2u);
}

// ---- Named error table: damaged input -> value and the exact lines written. ----

struct Damaged {
  const char* name;
  std::string hex;
  EncodableValue value;
  Lines lines;
};

class DamagedInputTest : public testing::TestWithParam<Damaged> {};

// Through the standard serializer's own path and the generic one alike.
TEST_P(DamagedInputTest, ReadsTheDocumentedValueAndLines) {
  const DerivedSerializer derived;
  for (const StandardCodecSerializer* serializer :
       {&StandardCodecSerializer::GetInstance(),
        static_cast<const StandardCodecSerializer*>(&derived)}) {
    SCOPED_TRACE(serializer == &derived ? "derived serializer" : "standard serializer");
    Decoded decoded = Decode(Hex(GetParam().hex), 0, *serializer);
    EXPECT_EQ(ValueText(decoded.value), ValueText(GetParam().value));
    EXPECT_EQ(decoded.lines, GetParam().lines);
  }
}

const Damaged kUnknownTags[] = {
    {"tag_0x20", "20", EncodableValue(), {UnknownTypeLine(32)}},
    {"tag_15", "0F 01", EncodableValue(), {UnknownTypeLine(15)}},
    {"tag_255_payload_not_skipped",
     "0C 02 FF 01",
     EncodableList{EncodableValue(), true},
     {UnknownTypeLine(255)}},
};

// Announced sizes and counts that reach further past the end than
// kShortReadAllowance (for a whole message), which no input cut short could
// have announced: one line, empty content, and reading goes on right after the
// count and, for a typed list, its alignment.
const Damaged kHostileCounts[] = {
    {"string_of_2GiB_in_6_bytes", "07 FF FF FF FF 7F", "", InvalidReads(1)},
    {"string_one_beyond_the_allowance", "07 FF 01 00 01 00", "", InvalidReads(1)},
    {"bytes_of_4GiB", "08 FF FF FF FF FF", Bytes{}, InvalidReads(1)},
    {"int32_list_elements_exceed_left", "09 FF FF FF FF FF", std::vector<int32_t>{},
     InvalidReads(1)},
    {"double_list_huge", "0B FF 00 00 00 10", std::vector<double>{}, InvalidReads(1)},
    {"float_list_huge", "0E FE FF FF 00", std::vector<float>{}, InvalidReads(1)},
    {"refused_int64_list_still_aligns", "0C 02 0A FE FF FF AA AA 01",
     EncodableList{std::vector<int64_t>{}, true}, InvalidReads(1)},
    {"list_of_4G_entries", "0C FF FF FF FF FF", EncodableList{}, InvalidReads(1)},
    {"map_of_4G_entries", "0D FF FF FF FF FF", EncodableMap{}, InvalidReads(1)},
    {"list_one_beyond_the_allowance", "0C FF 01 00 01 00", EncodableList{}, InvalidReads(1)},
    // A map entry is two values, its key and its value.
    {"map_one_beyond_the_allowance", "0D FF 01 80 00 00", EncodableMap{}, InvalidReads(1)},
    // The outer list still owes one entry, which the inner count may not use.
    {"inner_count_must_leave_the_entries_the_outer_owes", "0C 02 0C FF 01 00 01 00 01",
     EncodableList{EncodableList{}, true}, InvalidReads(1)},
    // The message's budget of zero bytes gives out after the first string.
    {"second_short_string_beyond_the_message_budget", "0C 02 07 FE 40 9C 07 FE 40 9C",
     EncodableList{std::string(40000, '\0'), ""}, InvalidReads(2)},
};

INSTANTIATE_TEST_SUITE_P(UnknownTags, DamagedInputTest, testing::ValuesIn(kUnknownTags), RowName());
INSTANTIATE_TEST_SUITE_P(HostileCounts, DamagedInputTest, testing::ValuesIn(kHostileCounts),
                         RowName());

// Every kind of value, for a container that is skipped.
const EncodableValue kEveryKind = EncodableMap{
    {"s", "abc"},
    {1, 2.5},
    {int64_t{1} << 40, Bytes{1, 2, 3}},
    {EncodableList{std::vector<int32_t>{1}, std::vector<float>{2.0f}},
     EncodableList{std::vector<int64_t>{3}, std::vector<double>{4.0}, true, false, {}}},
};

// The siblings "x" and 7.
const char kXThen7[] = "07 01 78 03 07 00 00 00";

// Lists and maps nested deeper than the limit, as the writer encodes them,
// followed by two more elements of the outer list: the too-deep container
// reads as null and all it holds is skipped, so its siblings read as written.
std::vector<Damaged> TooDeepRows() {
  const EncodableValue map_chain = [] {
    EncodableValue value = kEveryKind;
    for (int i = 0; i < 300; ++i) {
      value = EncodableMap{{i, std::move(value)}};
    }
    return value;
  }();
  const auto siblings_after = [](const EncodableValue& deep) {
    return HexOf(EncodeValue(EncodableList{deep, "x", 7}));
  };
  const EncodableValue read_257 = EncodableList{WrappedInLists(255, {}), "x", 7};
  EncodableValue read_map_chain = EncodableList{map_chain, "x", 7};
  EncodableValue* level = &std::get<EncodableList>(read_map_chain)[0];
  for (int depth = 2; depth <= StandardCodecSerializer::kMaxReadNesting; ++depth) {
    level = &std::get<EncodableMap>(*level).begin()->second;
  }
  *level = EncodableValue();
  return {
      {"list_257_deep", siblings_after(WrappedInLists(257, "abc")), read_257, {kTooDeepLine}},
      {"list_1000_deep", siblings_after(WrappedInLists(1000, "abc")), read_257, {kTooDeepLine}},
      // Too deep to build as a value: the writer's bytes, spelled out.
      {"list_100000_deep",
       "0C 03 " + Repeat("0C 01", 100000) + "07 03 61 62 63 " + kXThen7,
       read_257,
       {kTooDeepLine}},
      {"map_chain_over_every_kind", siblings_after(map_chain), read_map_chain, {kTooDeepLine}},
      // Megabytes in the skipped list: a 1 MiB string and 512 KiB of doubles.
      {"megabytes_inside",
       siblings_after(WrappedInLists(
           257, EncodableList{std::string(1 << 20, 's'), std::vector<double>(1 << 16, 1.5)})),
       read_257,
       {kTooDeepLine}},
      // Inside the skipped list, a count no input could hold: refused as when read.
      {"hostile_count_inside",
       "0C 03 " + Repeat("0C 01", 256) + "0C FF FF FF FF FF " + kXThen7,
       read_257,
       {kTooDeepLine, kInvalidReadLine}},
  };
}

INSTANTIATE_TEST_SUITE_P(TooDeep, DamagedInputTest, testing::ValuesIn(TooDeepRows()), RowName());

Bytes NestedLists(size_t depth) {
  return Hex(Repeat("0C 01", depth) + "00");
}

size_t ListDepth(const EncodableValue& value) {
  size_t depth = 0;
  const EncodableValue* current = &value;
  while (const auto* list = std::get_if<EncodableList>(current)) {
    ++depth;
    if (list->empty()) {
      break;
    }
    current = &list->front();
  }
  return depth;
}

TEST(StandardCodecNesting, DepthAtTheLimitReadsWhole) {
  Decoded decoded = Decode(NestedLists(StandardCodecSerializer::kMaxReadNesting));
  EXPECT_EQ(ListDepth(decoded.value), 256u);
  EXPECT_EQ(decoded.lines, Lines{});
  EXPECT_EQ(decoded.remaining, 0u);
}

TEST(StandardCodecNesting, OneDeeperReadsTheInnermostAsNullWithOneLine) {
  Decoded decoded = Decode(NestedLists(StandardCodecSerializer::kMaxReadNesting + 1));
  EXPECT_EQ(ListDepth(decoded.value), 256u);
  EXPECT_EQ(decoded.lines, Lines{kTooDeepLine});
}

TEST(StandardCodecNesting, AMillionLevelsNeitherOverflowTheStackNorRepeatTheLine) {
  Decoded decoded = Decode(NestedLists(1000000));
  EXPECT_EQ(ListDepth(decoded.value), 256u);
  EXPECT_EQ(decoded.lines, Lines{kTooDeepLine});
}

TEST(StandardCodecNesting, MapsCountTooAndTwoTooDeepValuesGiveOneLine) {
  // Two elements, each 256 maps deep under the outer list.
  std::string element = Repeat("0D 01 00", 255) + "0D 00 ";
  Decoded decoded = Decode(Hex("0C 02 " + element + element));
  ASSERT_EQ(decoded.value.index(), 10u);
  EXPECT_EQ(std::get<EncodableList>(decoded.value).size(), 2u);
  EXPECT_EQ(decoded.lines, Lines{kTooDeepLine});
}

TEST(StandardCodecNesting, EachMessageStartsAtDepthZero) {
  Decode(NestedLists(300));
  Decoded decoded = Decode(NestedLists(256));
  EXPECT_EQ(decoded.lines, Lines{});
  EXPECT_EQ(ListDepth(decoded.value), 256u);
}

// A map of two entries whose keys are equal all the way down, nested just
// inside the depth limit: the second entry is a duplicate and is dropped. A
// key comparison that asked less-than both ways at every level would never end
// on these (2^254 and 4^254 steps); the CTest timeout of this case is the guard.
TEST(StandardCodecNesting, EqualKeysNestedToTheLimitDecodeToOneEntry) {
  const std::string deep_lists = Repeat("0C 01", 254) + "00";
  const std::string deep_map_keys = Repeat("0D 01", 254) + "00 " + Repeat("00", 254);
  for (const std::string& key : {deep_lists, deep_map_keys}) {
    Decoded decoded = Decode(Hex("0D 02 " + key + " 03 01 00 00 00 " + key + " 03 02 00 00 00"));
    EXPECT_EQ(decoded.lines, Lines{});
    EXPECT_EQ(decoded.remaining, 0u);
    const auto& map = std::get<EncodableMap>(decoded.value);
    ASSERT_EQ(map.size(), 1u);
    EXPECT_EQ(std::get<int32_t>(map.begin()->second), 1);
  }
}

// A serializer whose tag 0x80 carries an embedded message (a size, then bytes),
// decoded with a reader of its own while the outer read is in progress.
class EmbeddingSerializer : public StandardCodecSerializer {
 protected:
  EncodableValue ReadValueOfType(uint8_t type, ByteStreamReader* stream) const override {
    if (type != 0x80) {
      return StandardCodecSerializer::ReadValueOfType(type, stream);
    }
    Bytes embedded(ReadSize(stream));
    stream->ReadBytes(embedded.data(), embedded.size());
    ByteBufferStreamReader inner(embedded.data(), embedded.size());
    return ReadValue(&inner);
  }
};

// A size of two bytes, as the format writes it.
std::string SizeHex(size_t size) {
  return HexOf({0xFE, static_cast<uint8_t>(size & 0xFF), static_cast<uint8_t>(size >> 8)});
}

TEST(StandardCodecNesting, AReEnteredReadCountsTowardsTheLimitAndRestoresTheDepthAfter) {
  // Outer list of two: an embedded message 300 lists deep, then 255 plain levels.
  Bytes embedded = NestedLists(300);
  std::string message = "0C 02 80 " + SizeHex(embedded.size()) + " " + HexOf(embedded) + " " +
                        HexOf(NestedLists(255));
  Decoded decoded = Decode(Hex(message), 0, EmbeddingSerializer());
  const auto& list = std::get<EncodableList>(decoded.value);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(ListDepth(list[0]), 255u);  // 1 outer level + 255 inside the embedded message
  EXPECT_EQ(ListDepth(list[1]), 255u);
  EXPECT_EQ(decoded.lines, Lines{kTooDeepLine});
  EXPECT_EQ(decoded.remaining, 0u);
}

// A serializer whose tag 0x82 wraps a value that the shared serializer reads
// from the same stream while the outer read is in progress.
class DelegatingSerializer : public StandardCodecSerializer {
 protected:
  EncodableValue ReadValueOfType(uint8_t type, ByteStreamReader* stream) const override {
    if (type == 0x82) {
      return StandardCodecSerializer::GetInstance().ReadValue(stream);
    }
    return StandardCodecSerializer::ReadValueOfType(type, stream);
  }
};

TEST(StandardCodecNesting, AReadReEnteredOnTheSameReaderKeepsTheOuterEntriesAndLine) {
  // The delegated list may not take the entry that the outer list still owes.
  const DelegatingSerializer delegating;
  Decoded owing = Decode(Hex("0C 02 82 0C FF 01 00 01 00 01"), 0, delegating);
  EXPECT_EQ(ValueText(owing.value), ValueText(EncodableList{EncodableList{}, true}));
  EXPECT_EQ(owing.lines, Lines{kInvalidReadLine});
  // Two delegated values too deep under the outer list: one line per message.
  const std::string too_deep = Repeat("0C 01", 255) + "0C 00";
  Decoded deep = Decode(Hex("0C 02 82 " + too_deep + " 82 " + too_deep), 0, delegating);
  const auto& list = std::get<EncodableList>(deep.value);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(ListDepth(list[0]), 255u);
  EXPECT_EQ(ListDepth(list[1]), 255u);
  EXPECT_EQ(deep.lines, Lines{kTooDeepLine});
  EXPECT_EQ(deep.remaining, 0u);
}

// ---- Writing what the format cannot carry. ----

// Opens the protected size operations.
class SizeSerializer : public StandardCodecSerializer {
 public:
  using StandardCodecSerializer::ReadSize;
  using StandardCodecSerializer::WriteSize;
  using StandardCodecSerializer::WriteSizedTag;
};

TEST(StandardCodecWrite, CustomValueIsWrittenAsNullWithOneLine) {
  StderrCapture capture;
  EXPECT_EQ(HexOf(EncodeValue(EncodableValue(CustomEncodableValue(std::any(1))))), "00");
  EXPECT_EQ(capture.Lines(), Lines{kCustomTypeLine});
}

TEST(StandardCodecWrite, ValuelessIsWrittenAsNullSilently) {
  std::any held{CopyFails()};
  EncodableValue value("x");
  EXPECT_THROW(value.emplace<CustomEncodableValue>(held), std::runtime_error);
  ASSERT_TRUE(value.valueless_by_exception());
  StderrCapture capture;
  EXPECT_EQ(HexOf(EncodeValue(value)), "00");
  EXPECT_EQ(capture.Text(), "");
}

TEST(StandardCodecWrite, SizesUpToTheFourByteFormRoundTripAndLargerOnesAreRefused) {
  SizeSerializer serializer;
  const std::pair<size_t, const char*> cases[] = {{0, "00"},
                                                  {253, "FD"},
                                                  {254, "FE FE 00"},
                                                  {65535, "FE FF FF"},
                                                  {65536, "FF 00 00 01 00"},
                                                  {0xFFFFFFFFu, "FF FF FF FF FF"}};
  for (const auto& [size, hex] : cases) {
    Bytes bytes;
    ByteBufferStreamWriter writer(&bytes);
    serializer.WriteSize(size, &writer);
    EXPECT_EQ(HexOf(bytes), hex);
    ByteBufferStreamReader reader(bytes.data(), bytes.size());
    EXPECT_EQ(serializer.ReadSize(&reader), size);
  }
  StderrCapture capture;
  Bytes bytes;
  ByteBufferStreamWriter writer(&bytes);
  serializer.WriteSize(size_t{1} << 32, &writer);
  EXPECT_EQ(HexOf(bytes), "");
  EXPECT_EQ(capture.Lines(), Lines{kOversizedLine});
}

TEST(StandardCodecWrite, SizedValueOverTheWireLimitBecomesNullNeverATruncatedSize) {
  SizeSerializer serializer;
  Bytes bytes;
  ByteBufferStreamWriter writer(&bytes);
  StderrCapture capture;
  EXPECT_TRUE(serializer.WriteSizedTag(7, 0xFFFFFFFFu, &writer));
  EXPECT_FALSE(serializer.WriteSizedTag(7, size_t{1} << 32, &writer));
  EXPECT_FALSE(serializer.WriteSizedTag(12, std::numeric_limits<size_t>::max(), &writer));
  EXPECT_EQ(HexOf(bytes), "07 FF FF FF FF FF 00 00");
  EXPECT_EQ(capture.Lines(), (Lines{kOversizedLine, kOversizedLine}));
}

// ---- Nested values go through the virtual operations. ----

// Carries custom values holding an int as tag 0x81 with one byte.
class ByteCustomSerializer : public StandardCodecSerializer {
 public:
  void WriteValue(const EncodableValue& value, ByteStreamWriter* stream) const override {
    if (const auto* custom = std::get_if<CustomEncodableValue>(&value)) {
      stream->WriteByte(0x81);
      stream->WriteByte(static_cast<uint8_t>(std::any_cast<int>(custom->value())));
      return;
    }
    StandardCodecSerializer::WriteValue(value, stream);
  }

 protected:
  EncodableValue ReadValueOfType(uint8_t type, ByteStreamReader* stream) const override {
    if (type == 0x81) {
      return EncodableValue(CustomEncodableValue(std::any(int{stream->ReadByte()})));
    }
    return StandardCodecSerializer::ReadValueOfType(type, stream);
  }
};

TEST(StandardCodecExtension, DerivedSerializerSeesListElementsAndMapKeysAndValues) {
  ByteCustomSerializer serializer;
  EncodableValue value(EncodableList{
      CustomEncodableValue(std::any(7)),
      EncodableMap{{"k", CustomEncodableValue(std::any(9))}},
  });
  Bytes bytes;
  ByteBufferStreamWriter writer(&bytes);
  StderrCapture capture;
  serializer.WriteValue(value, &writer);
  EXPECT_EQ(HexOf(bytes), "0C 02 81 07 0D 01 07 01 6B 81 09");
  ByteBufferStreamReader reader(bytes.data(), bytes.size());
  EncodableValue read = serializer.ReadValue(&reader);
  const auto& list = std::get<EncodableList>(read);
  EXPECT_EQ(std::any_cast<int>(std::get<CustomEncodableValue>(list[0]).value()), 7);
  const auto& map = std::get<EncodableMap>(list[1]);
  EXPECT_EQ(std::any_cast<int>(std::get<CustomEncodableValue>(map.at(EncodableValue("k"))).value()),
            9);
  EXPECT_EQ(capture.Text(), "");
}

// A reader that cannot tell how much is left: counts are trusted as before.
TEST(StandardCodecExtension, ReaderWithoutRemainingCountStillDecodes) {
  ASSERT_EQ(OpaqueReader({}).RemainingBytes(), ByteStreamReader::kRemainingUnknown);
  EncodableValue value(EncodableList{"a", std::vector<int32_t>{1, 2}, EncodableMap{{1, 2}}});
  for (int count : {3, 2000}) {
    EncodableList list(static_cast<size_t>(count), value);
    Bytes bytes = EncodeValue(EncodableValue(list));
    OpaqueReader reader(bytes);
    StderrCapture capture;
    EncodableValue read = StandardCodecSerializer::GetInstance().ReadValue(&reader);
    EXPECT_EQ(ValueText(read), ValueText(EncodableValue(list)));
    EXPECT_EQ(capture.Text(), "");
  }
  // A short input reads as the format says, without the early refusal.
  Bytes short_list = Hex("0C 03 01");
  OpaqueReader reader(short_list);
  StderrCapture capture;
  EncodableValue read = StandardCodecSerializer::GetInstance().ReadValue(&reader);
  EXPECT_EQ(ValueText(read), "list[true,null,null]");
  EXPECT_EQ(capture.Lines(), InvalidReads(2));
}

TEST(StandardCodecExtension, AnyStreamGivesTheBytesAndValuesOfTheBufferStreams) {
  ValueGenerator generator(5);
  for (int i = 0; i < 100; ++i) {
    EncodableValue value = generator.Next(3);
    for (size_t offset = 0; offset < 8; offset += 3) {
      Bytes plain(offset, 0xAA);
      PlainWriter writer(&plain);
      StandardCodecSerializer::GetInstance().WriteValue(value, &writer);
      ASSERT_EQ(HexOf(plain), HexOf(EncodeValue(value, offset))) << i;
      OpaqueReader reader(plain);
      for (size_t skip = 0; skip < offset; ++skip) {
        reader.ReadByte();
      }
      EncodableValue read = StandardCodecSerializer::GetInstance().ReadValue(&reader);
      ASSERT_EQ(ValueText(read), ValueText(value)) << i;
    }
  }
}

// The buffer writer starts from a guess of the size: a message that outgrows
// it many times over, with blocks long enough to be copied straight in and
// small values before, between and after them, gives the same bytes as any
// other stream at every offset.
TEST(StandardCodecExtension, BufferWriterGrowsPastItsGuessAndCopiesLongBlocksStraightIn) {
  EncodableList small(100, EncodableValue(EncodableMap{{"key", 1.5}}));
  EncodableValue message(EncodableList{small, std::string(5000, 'x'), int32_t{7},
                                       std::vector<double>(700, 0.25), Bytes(4096, 0xEE), small});
  for (size_t offset = 0; offset < 8; ++offset) {
    Bytes plain(offset, 0xAA);
    PlainWriter writer(&plain);
    StandardCodecSerializer::GetInstance().WriteValue(message, &writer);
    Bytes buffered = EncodeValue(message, offset);
    ASSERT_EQ(buffered.size(), plain.size()) << offset;
    EXPECT_TRUE(buffered == plain) << offset;
  }
}

TEST(StandardCodecRoundTrip, RandomValuesAtEveryOffset) {
  ValueGenerator generator(20240601);
  for (int i = 0; i < 250; ++i) {
    EncodableValue value = generator.Next(4);
    std::string expected = ValueText(value);
    for (size_t offset = 0; offset < 8; ++offset) {
      Bytes bytes = EncodeValue(value, offset);
      // Followed by one more value, so disagreeing padding would show.
      ByteBufferStreamWriter writer(&bytes);
      StandardCodecSerializer::GetInstance().WriteValue(EncodableValue(int32_t{-7}), &writer);
      StderrCapture capture;
      ByteBufferStreamReader reader(bytes.data(), bytes.size());
      for (size_t skip = 0; skip < offset; ++skip) {
        reader.ReadByte();
      }
      EncodableValue first = StandardCodecSerializer::GetInstance().ReadValue(&reader);
      EncodableValue second = StandardCodecSerializer::GetInstance().ReadValue(&reader);
      ASSERT_EQ(ValueText(first), expected) << "value " << i << " offset " << offset;
      ASSERT_EQ(ValueText(second), "i32:-7") << "value " << i << " offset " << offset;
      ASSERT_EQ(reader.RemainingBytes(), 0u);
      ASSERT_EQ(capture.Text(), "");
    }
  }
}

TEST(StandardCodecRoundTrip, EmptyTypedListsAtEveryOffset) {
  const EncodableValue empties[] = {std::vector<int32_t>{}, std::vector<int64_t>{},
                                    std::vector<double>{}, std::vector<float>{}};
  for (const EncodableValue& empty : empties) {
    for (size_t offset = 0; offset < 8; ++offset) {
      EncodableValue pair(EncodableList{empty, true});
      Bytes bytes = EncodeValue(pair, offset);
      Decoded decoded = Decode(bytes, offset);
      EXPECT_EQ(ValueText(decoded.value), ValueText(pair)) << offset;
      EXPECT_EQ(decoded.remaining, 0u);
    }
  }
}

// Maps keyed by doubles as the Dart side may send them, NaN among the keys:
// every key that is not equivalent to another keeps its entry (a NaN sorts
// after every number, all NaNs are one key, -0.0 is 0.0), and the decoded map
// encodes in key order and reads back as it was.
TEST(StandardCodecRoundTrip, MapsKeyedByNaNAndOtherSpecialDoubles) {
  const char* const kNaN = "00 00 00 00 00 00 F8 7F";
  const char* const kNegativeNaN = "00 00 00 00 00 00 F8 FF";
  const char* const kPayloadNaN = "01 00 00 00 00 00 F0 7F";
  const char* const kOne = "00 00 00 00 00 00 F0 3F";
  const char* const kTwo = "00 00 00 00 00 00 00 40";
  const char* const kInfinity = "00 00 00 00 00 00 F0 7F";
  const char* const kNegativeInfinity = "00 00 00 00 00 00 F0 FF";
  const char* const kNegativeZero = "00 00 00 00 00 00 00 80";
  const char* const kZero = "00 00 00 00 00 00 00 00";
  // A map of three double keys to the 32-bit integers 1, 2, 3; the keys sit
  // at offsets 8, 24 and 40, after 5, 2 and 2 bytes of padding.
  const auto three = [](const char* a, const char* b, const char* c) {
    return std::string("0D 03 06 00 00 00 00 00 ") + a + " 03 01 00 00 00 06 00 00 " + b +
           " 03 02 00 00 00 06 00 00 " + c + " 03 03 00 00 00";
  };
  const struct {
    std::string hex;
    const char* text;
  } kCases[] = {
      {three(kNaN, kOne, kTwo), "map{f64:0x1p+0:i32:2;f64:0x1p+1:i32:3;f64:nan:i32:1;}"},
      {three(kInfinity, kNaN, kNegativeInfinity),
       "map{f64:-inf:i32:3;f64:inf:i32:1;f64:nan:i32:2;}"},
      {three(kNaN, kNegativeNaN, kPayloadNaN), "map{f64:nan:i32:1;}"},
      {three(kNegativeZero, kZero, kOne), "map{f64:-0x0p+0:i32:1;f64:0x1p+0:i32:3;}"},
      // Double-list keys [NaN] and [1.0], then [NaN] again.
      {std::string("0D 03 0B 01 00 00 00 00 ") + kNaN + " 03 01 00 00 00 0B 01 00 " + kOne +
           " 03 02 00 00 00 0B 01 00 " + kNaN + " 03 03 00 00 00",
       "map{f64[0x1p+0]:i32:2;f64[nan]:i32:1;}"},
  };
  for (const auto& c : kCases) {
    Decoded decoded = Decode(Hex(c.hex));
    EXPECT_EQ(ValueText(decoded.value), c.text) << c.hex;
    EXPECT_TRUE(decoded.lines.empty()) << c.hex;
    EXPECT_EQ(decoded.remaining, 0u) << c.hex;
    const Bytes encoded = EncodeValue(decoded.value);
    Decoded again = Decode(encoded);
    EXPECT_EQ(ValueText(again.value), c.text) << c.hex;
    EXPECT_EQ(HexOf(EncodeValue(again.value)), HexOf(encoded)) << c.hex;
  }
}

// ---- Every prefix of valid messages decodes without harm. ----

bool IsDocumentedLine(const std::string& line) {
  return line == kInvalidReadLine || line == kTooDeepLine ||
         line.rfind(kUnknownTypeLinePrefix, 0) == 0;
}

void SweepPrefixes(const Bytes& message) {
  for (size_t length = 0; length < message.size(); ++length) {
    Bytes prefix(message.begin(), message.begin() + length);
    Decoded decoded = Decode(prefix);
    ASSERT_GE(decoded.lines.size(), 1u) << "prefix " << length << " of " << HexOf(message);
    // At most a key and a value line per byte and per entry of the allowance:
    // counts never outrun the input by more.
    ASSERT_LE(decoded.lines.size(), 2 * (length + flutter::kShortReadAllowance) + 2)
        << "prefix " << length;
    for (const std::string& line : decoded.lines) {
      ASSERT_TRUE(IsDocumentedLine(line)) << line;
    }
  }
}

template <size_t N>
void SweepGoldens(const Golden (&table)[N]) {
  for (const Golden& golden : table) {
    SweepPrefixes(Hex(golden.hex));
  }
}

TEST(StandardCodecTruncation, EveryPrefixOfTheGoldenMessages) {
  SweepGoldens(kScalars);
  SweepGoldens(kStrings);
  SweepGoldens(kTypedLists);
  SweepGoldens(kContainers);
}

TEST(StandardCodecTruncation, EveryPrefixOfRandomNestedMessages) {
  ValueGenerator generator(7);
  int swept = 0;
  while (swept < 60) {
    Bytes message = EncodeValue(generator.Next(3));
    if (message.size() > 4096) {
      continue;  // keeps the sweep quick; long strings are covered above
    }
    SweepPrefixes(message);
    ++swept;
  }
}

TEST(ByteBufferStreams, ReaderFailuresLeaveDestinationAndPositionAlone) {
  Bytes bytes = Hex("01 02 03");
  ByteBufferStreamReader reader(bytes.data(), bytes.size());
  uint8_t destination[4] = {9, 9, 9, 9};
  StderrCapture capture;
  reader.ReadBytes(destination, 4);
  EXPECT_EQ(HexOf({destination, destination + 4}), "09 09 09 09");
  reader.ReadBytes(destination, 2);
  EXPECT_EQ(HexOf({destination, destination + 2}), "01 02");
  EXPECT_EQ(reader.ReadByte(), 3);
  EXPECT_EQ(reader.ReadByte(), 0);
  EXPECT_EQ(reader.RemainingBytes(), 0u);
  reader.ReadAlignment(8);  // moves past the end unchecked
  reader.ReadBytes(destination, 0);
  EXPECT_EQ(capture.Lines(), InvalidReads(3));
}

TEST(ByteBufferStreams, WriterAppendsAndAlignsFromTheVectorStart) {
  Bytes bytes = Hex("AA");
  ByteBufferStreamWriter writer(&bytes);
  writer.WriteAlignment(4);
  writer.WriteAlignment(4);
  writer.WriteByte(0x11);
  const uint8_t block[] = {1, 2};
  writer.WriteBytes(block, 2);
  writer.WriteAlignment(8);
  EXPECT_EQ(HexOf(bytes), "AA 00 00 00 11 01 02 00");
}

}  // namespace
}  // namespace kovi_test
