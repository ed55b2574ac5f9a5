#include "encoding/standard_method_codec.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "encoding/byte_stream_writer.h"
#include "tests/support/codec_test_support.h"
#include "tests/support/failure_lines.h"
#include "tests/support/recording_method_result.h"
#include "tests/support/row_name.h"
#include "tests/support/stderr_capture.h"

namespace kovi_test {
namespace {

using kovi_test::operator<<;
using flutter::ByteStreamWriter;
using flutter::MethodCall;
using flutter::MethodResult;
using flutter::StandardCodecSerializer;
using flutter::StandardMethodCodec;
using Answers = std::vector<RecordedAnswer>;

// {"supported": true}, and its bytes.
const EncodableValue kSupported = EncodableMap{{"supported", true}};
const std::string kSupportedMap = "0D 01 07 09 73 75 70 70 6F 72 74 65 64 01";
const std::string kIsSupported = "07 0B 69 73 53 75 70 70 6F 72 74 65 64";

const StandardMethodCodec& Codec() {
  return StandardMethodCodec::GetInstance();
}

// The value of a row, or a null pointer when it has none.
const EncodableValue* Pointer(const std::optional<EncodableValue>& value) {
  return value ? &*value : nullptr;
}

// ---- Golden encodings of calls and envelopes. ----

TEST(StandardMethodCodecEncode, Calls) {
  const struct {
    const char* name;
    std::optional<EncodableValue> arguments;
    std::string hex;
  } cases[] = {
      {"isSupported", std::nullopt, kIsSupported + " 00"},
      {"m", EncodableValue(), "07 01 6D 00"},
      {"m", int32_t{5}, "07 01 6D 03 05 00 00 00"},
      // Padding counts from the start of the message, across the name.
      {"m", 1.0, "07 01 6D 06 00 00 00 00 00 00 00 00 00 00 F0 3F"},
      {"", EncodableList{true}, "07 00 0C 01 01"},
  };
  for (const auto& c : cases) {
    MethodCall call(c.name, c.arguments ? std::make_unique<EncodableValue>(*c.arguments) : nullptr);
    EXPECT_EQ(HexOf(*Codec().EncodeMethodCall(call)), c.hex) << c.name;
  }
}

TEST(StandardMethodCodecEncode, SuccessEnvelopes) {
  const struct {
    const char* name;
    std::optional<EncodableValue> result;
    std::string hex;
  } cases[] = {
      {"no result", std::nullopt, "00 00"},
      {"int32 5", int32_t{5}, "00 03 05 00 00 00"},
      {"supported map", kSupported, "00 " + kSupportedMap},
      {"double pads from the flag byte", 1.0, "00 06 00 00 00 00 00 00 00 00 00 00 00 00 F0 3F"},
      {"tick counts", EncodableList{int32_t{10}, int32_t{0}},
       "00 0C 02 03 0A 00 00 00 03 00 00 00 00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HexOf(*Codec().EncodeSuccessEnvelope(Pointer(c.result))), c.hex) << c.name;
  }
}

TEST(StandardMethodCodecEncode, ErrorEnvelopes) {
  const struct {
    const char* code;
    const char* message;
    std::optional<EncodableValue> details;
    std::string hex;
  } cases[] = {
      {"E", "", std::nullopt, "01 07 01 45 00 00"},
      {"E", "x", std::nullopt, "01 07 01 45 07 01 78 00"},
      {"", "", std::nullopt, "01 07 00 00 00"},
      {"E", "", int32_t{2}, "01 07 01 45 00 03 02 00 00 00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HexOf(*Codec().EncodeErrorEnvelope(c.code, c.message, Pointer(c.details))), c.hex)
        << c.code << "/" << c.message;
  }
}

struct CallCase {
  const char* name;
  std::string hex;
  bool decodes;
  const char* method;
  EncodableValue arguments;
  Lines lines;
};

class DecodeCallTest : public testing::TestWithParam<CallCase> {};

TEST_P(DecodeCallTest, GivesTheCallOrNothingAndTheLines) {
  const CallCase& c = GetParam();
  Bytes bytes = Hex(c.hex);
  StderrCapture capture;
  std::unique_ptr<MethodCall> call = Codec().DecodeMethodCall(bytes.data(), bytes.size());
  EXPECT_EQ(capture.Lines(), c.lines);
  ASSERT_EQ(call != nullptr, c.decodes);
  if (call) {
    EXPECT_EQ(call->method_name(), c.method);
    ASSERT_NE(call->arguments(), nullptr);
    EXPECT_EQ(ValueText(*call->arguments()), ValueText(c.arguments));
  }
}

const CallCase kCalls[] = {
    {"with_null_arguments", kIsSupported + " 00", true, "isSupported", {}, {}},
    {"arguments_missing", kIsSupported, true, "isSupported", {}, {kInvalidReadLine}},
    {"with_map_arguments", "07 01 6D " + kSupportedMap, true, "m", kSupported, {}},
    {"trailing_bytes_ignored", "07 01 6D 01 FF FF", true, "m", true, {}},
    {"name_not_a_string", "03 01 00 00 00 00", false, "", {}, {kNameNotStringLine}},
    {"empty_message", "", false, "", {}, {kInvalidReadLine, kNameNotStringLine}},
    // A refused name is an empty string; reading goes on after its size.
    {"name_longer_than_message", "07 FF FF FF FF 7F 00", true, "", {}, {kInvalidReadLine}},
};

INSTANTIATE_TEST_SUITE_P(Calls, DecodeCallTest, testing::ValuesIn(kCalls), RowName());

TEST(StandardMethodCodecDecode, NullMessagePointerWithZeroSizeIsAnEmptyMessage) {
  StderrCapture capture;
  EXPECT_EQ(Codec().DecodeMethodCall(nullptr, 0), nullptr);
  EXPECT_EQ(capture.Lines(), (Lines{kInvalidReadLine, kNameNotStringLine}));
}

TEST(StandardMethodCodecDecode, EncodedCallsDecodeBack) {
  ValueGenerator generator(99);
  for (int i = 0; i < 50; ++i) {
    std::string name = generator.NextString();
    EncodableValue arguments = generator.Next(3);
    MethodCall call(name, std::make_unique<EncodableValue>(arguments));
    std::unique_ptr<Bytes> bytes = Codec().EncodeMethodCall(call);
    std::unique_ptr<MethodCall> decoded = Codec().DecodeMethodCall(bytes->data(), bytes->size());
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(decoded->method_name(), name);
    EXPECT_EQ(ValueText(*decoded->arguments()), ValueText(arguments));
  }
}

bool Process(const std::string& hex, MethodResult* result) {
  Bytes bytes = Hex(hex);
  return Codec().DecodeAndProcessResponseEnvelope(bytes.data(), bytes.size(), result);
}

TEST(StandardMethodCodecResponse, SuccessWithAndWithoutValue) {
  RecordingMethodResult result;
  EXPECT_TRUE(Process("00 00", &result));
  EXPECT_TRUE(Process("00 03 05 00 00 00", &result));
  EXPECT_EQ(result.answers(), (Answers{SuccessAnswer(), SuccessAnswer(int32_t{5})}));
}

TEST(StandardMethodCodecResponse, EmptyEnvelopeIsSuccessWithoutValueAfterTwoLines) {
  RecordingMethodResult result;
  StderrCapture capture;
  EXPECT_TRUE(Process("", &result));
  EXPECT_EQ(result.answers(), Answers{SuccessAnswer()});
  EXPECT_EQ(capture.Lines(), (Lines{kInvalidReadLine, kInvalidReadLine}));
}

TEST(StandardMethodCodecResponse, ErrorsWithMessageAndDetailsOrNone) {
  RecordingMethodResult result;
  EXPECT_TRUE(Process("01 07 01 45 00 00", &result));
  EXPECT_TRUE(Process("01 07 01 45 07 01 78 03 02 00 00 00", &result));
  EXPECT_EQ(result.answers(), (Answers{ErrorAnswer("E", ""), ErrorAnswer("E", "x", int32_t{2})}));
}

TEST(StandardMethodCodecResponse, UnknownFlagsAndMalformedErrorsCallNothing) {
  const char* const kRefused[] = {
      "02",
      "FF 00",
      "01 03 01 00 00 00 00 00",        // code is an int32
      "01 00 00 00",                    // code is null
      "01 07 01 45 03 01 00 00 00 00",  // message is an int32
      "01 07 01 45 01 00",              // message is a bool
  };
  for (const char* hex : kRefused) {
    RecordingMethodResult result;
    EXPECT_FALSE(Process(hex, &result)) << hex;
    EXPECT_EQ(result.answers(), Answers{}) << hex;
  }
}

TEST(StandardMethodCodecResponse, EncodedEnvelopesDecodeBack) {
  const EncodableValue details(EncodableList{"a", int64_t{1} << 40});
  RecordingMethodResult result;
  auto success = Codec().EncodeSuccessEnvelope(&details);
  auto error = Codec().EncodeErrorEnvelope("code", "message", &details);
  EXPECT_TRUE(Codec().DecodeAndProcessResponseEnvelope(success->data(), success->size(), &result));
  EXPECT_TRUE(Codec().DecodeAndProcessResponseEnvelope(error->data(), error->size(), &result));
  EXPECT_EQ(result.answers(),
            (Answers{SuccessAnswer(details), ErrorAnswer("code", "message", details)}));
}

TEST(MethodResult, PublicOperationsForwardToTheirInternals) {
  RecordingMethodResult result;
  const EncodableValue value(int32_t{3});
  result.Success();
  result.Success(value);
  result.Error("c");
  result.Error("c", "m", &value);
  result.Error("c", "m", value);
  result.NotImplemented();
  ASSERT_EQ(result.answers(), (Answers{SuccessAnswer(), SuccessAnswer(value), ErrorAnswer("c", ""),
                                       ErrorAnswer("c", "m", value), ErrorAnswer("c", "m", value),
                                       RecordedAnswer{}}));
  // The caller's own value is passed on, not a copy of it.
  const Answers& answers = result.answers();
  EXPECT_EQ(answers[0].given, nullptr);
  EXPECT_EQ(answers[1].given, &value);
  EXPECT_EQ(answers[2].given, nullptr);
  EXPECT_EQ(answers[3].given, &value);
  EXPECT_EQ(answers[4].given, &value);
}

class OtherSerializer : public StandardCodecSerializer {};

TEST(StandardMethodCodecRegistry, OneCodecPerSerializer) {
  const StandardMethodCodec& shared = StandardMethodCodec::GetInstance();
  EXPECT_EQ(&shared, &StandardMethodCodec::GetInstance());
  EXPECT_EQ(&shared, &StandardMethodCodec::GetInstance(&StandardCodecSerializer::GetInstance()));
  static const OtherSerializer other;
  const StandardMethodCodec& own = StandardMethodCodec::GetInstance(&other);
  EXPECT_NE(&own, &shared);
  EXPECT_EQ(&own, &StandardMethodCodec::GetInstance(&other));
}

// A serializer that writes every int32 as a bool, to show which one a codec uses.
class BoolSerializer : public StandardCodecSerializer {
 public:
  void WriteValue(const EncodableValue& value, ByteStreamWriter* stream) const override {
    if (value.index() == 2) {
      stream->WriteByte(1);
      return;
    }
    StandardCodecSerializer::WriteValue(value, stream);
  }
};

TEST(StandardMethodCodecRegistry, CodecUsesItsSerializerForEveryValue) {
  static const BoolSerializer serializer;
  const StandardMethodCodec& codec = StandardMethodCodec::GetInstance(&serializer);
  const EncodableValue list(EncodableList{int32_t{5}});
  EXPECT_EQ(HexOf(*codec.EncodeSuccessEnvelope(&list)), "00 0C 01 01");
}

}  // namespace
}  // namespace kovi_test
