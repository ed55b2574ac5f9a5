// Input cut short, row by row: what each value, call and envelope reads as and
// the exact lines written, through the standard serializer's own path and
// through the path every derived serializer takes. Missing bytes read as zero
// bytes and missing tags as null; a value short of bytes consumes nothing, so
// the next one is read from right after its size (and alignment).
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "encoding/byte_buffer_stream_reader.h"
#include "encoding/standard_codec_serializer.h"
#include "encoding/standard_method_codec.h"
#include "tests/support/codec_test_support.h"
#include "tests/support/failure_lines.h"
#include "tests/support/recording_method_result.h"
#include "tests/support/row_name.h"
#include "tests/support/stderr_capture.h"

namespace kovi_test {
namespace {

using kovi_test::operator<<;
using flutter::StandardCodecSerializer;
using flutter::StandardMethodCodec;

// What the bytes are read as.
enum class Message { kValue, kCall, kResponse };

EncodableValue Call(const std::string& name, EncodableValue arguments) {
  return EncodableList{"call", name, std::move(arguments)};
}

EncodableValue Success(EncodableValue value) {
  return EncodableList{"success", std::move(value)};
}

EncodableValue Error(const std::string& code, const std::string& message, EncodableValue details) {
  return EncodableList{"error", code, message, std::move(details)};
}

// A response envelope's answer as one value: a list of "success" and the
// value, or of "error", the code, the message and the details.
EncodableValue Outcome(const RecordedAnswer& answer) {
  const EncodableValue value = answer.value.value_or(EncodableValue());
  switch (answer.kind) {
    case RecordedAnswer::Kind::kSuccess:
      return Success(value);
    case RecordedAnswer::Kind::kError:
      return Error(answer.code, answer.message, value);
    default:
      return EncodableValue();
  }
}

EncodableValue Zeros(size_t length) {
  return EncodableValue(std::string(length, '\0'));
}

EncodableValue Read(Message kind, const Bytes& bytes, const StandardCodecSerializer& serializer) {
  const StandardMethodCodec& codec = StandardMethodCodec::GetInstance(&serializer);
  switch (kind) {
    case Message::kValue: {
      flutter::ByteBufferStreamReader reader(bytes.data(), bytes.size());
      return serializer.ReadValue(&reader);
    }
    case Message::kCall: {
      std::unique_ptr<flutter::MethodCall> call =
          codec.DecodeMethodCall(bytes.data(), bytes.size());
      return call ? Call(call->method_name(), *call->arguments()) : EncodableValue();
    }
    default: {
      RecordingMethodResult result;
      codec.DecodeAndProcessResponseEnvelope(bytes.data(), bytes.size(), &result);
      return result.answers().empty() ? EncodableValue() : Outcome(result.answers().back());
    }
  }
}

struct ShortRow {
  const char* name;
  Message kind;
  std::string hex;
  EncodableValue value;
  Lines lines;
};

const ShortRow kRows[] = {
    // Scalars and sizes.
    {"empty_buffer_is_null", Message::kValue, "", EncodableValue(), InvalidReads(1)},
    {"int32_cut_short_is_zero", Message::kValue, "03 01 00", int32_t{0}, InvalidReads(1)},
    {"int64_cut_short_is_zero", Message::kValue, "04 01 02 03", int64_t{0}, InvalidReads(1)},
    {"double_cut_in_padding", Message::kValue, "06 00 00", 0.0, InvalidReads(1)},
    {"size_cut_short_reads_zero", Message::kValue, "07 FE 01", "", InvalidReads(1)},
    {"missing_size_reads_zero", Message::kValue, "0C", EncodableList{}, InvalidReads(1)},
    // Strings and byte lists keep their announced length, in zero bytes.
    {"string_keeps_its_length", Message::kValue, "07 05 61", Zeros(5), InvalidReads(1)},
    {"tag_5_string_keeps_its_length", Message::kValue, "05 03 31", Zeros(3), InvalidReads(1)},
    {"string_one_longer_than_left", Message::kValue, "07 03 61 62", Zeros(3), InvalidReads(1)},
    {"byte_list_keeps_its_length", Message::kValue, "08 04 01 02", Bytes(4, 0), InvalidReads(1)},
    {"string_short_by_the_whole_allowance", Message::kValue, "07 FF 00 00 01 00",
     Zeros(flutter::kShortReadAllowance), InvalidReads(1)},
    {"next_value_read_right_after_the_size", Message::kValue, "0C 02 07 09 01",
     EncodableList{Zeros(9), true}, InvalidReads(1)},
    {"unread_bytes_read_as_the_next_tag",
     Message::kValue,
     "0C 02 07 05 61",
     EncodableList{Zeros(5), EncodableValue()},
     {kInvalidReadLine, UnknownTypeLine(97)}},
    {"short_map_key_keeps_its_length", Message::kValue, "0D 01 07 02",
     EncodableMap{{Zeros(2), EncodableValue()}}, InvalidReads(2)},
    // Typed lists keep their count in zero elements after the alignment step;
    // the next value is read from the aligned offset.
    {"int32_list_then_value_at_8", Message::kValue, "0C 02 09 FE 05 00 03 03 01",
     EncodableList{std::vector<int32_t>(5), true}, InvalidReads(1)},
    {"float_list_then_value_at_8", Message::kValue, "0C 03 01 0E 02 AA AA AA 02",
     EncodableList{true, std::vector<float>(2), false}, InvalidReads(1)},
    {"int64_list_then_value_at_8", Message::kValue, "0C 02 0A 02 AA AA AA AA 01",
     EncodableList{std::vector<int64_t>(2), true}, InvalidReads(1)},
    {"double_list_then_value_at_8", Message::kValue, "0C 02 0B 01 AA AA AA AA 02",
     EncodableList{std::vector<double>(1), false}, InvalidReads(1)},
    {"int64_list_elements_exceed_left", Message::kValue,
     "0A 02 00 00 00 00 00 00 01 00 00 00 00 00 00 00", std::vector<int64_t>(2), InvalidReads(1)},
    {"typed_list_fits_before_padding_only", Message::kValue, "09 01 00 00 AA BB CC",
     std::vector<int32_t>{0}, InvalidReads(1)},
    // Lists and maps keep their count; each missing tag is a null and a line.
    {"list_of_3_with_one_present", Message::kValue, "0C 03 00",
     EncodableList{EncodableValue(), EncodableValue(), EncodableValue()}, InvalidReads(2)},
    {"list_one_entry_more_than_bytes", Message::kValue, "0C 03 01 01",
     EncodableList{true, true, EncodableValue()}, InvalidReads(1)},
    {"list_count_fits_int32_cut_short", Message::kValue, "0C 02 03 01",
     EncodableList{int32_t{0}, true}, InvalidReads(1)},
    {"list_count_fits_last_element_missing", Message::kValue, "0C 02 07 01 61",
     EncodableList{"a", EncodableValue()}, InvalidReads(1)},
    {"inner_list_takes_the_bytes_the_outer_owes", Message::kValue, "0C 02 0C 02 01 01",
     EncodableList{EncodableList{true, true}, EncodableValue()}, InvalidReads(1)},
    {"list_short_by_the_whole_allowance", Message::kValue, "0C FF 00 00 01 00",
     EncodableList(flutter::kShortReadAllowance), InvalidReads(flutter::kShortReadAllowance)},
    // A map entry is two values of the allowance: half as many entries.
    {"map_short_by_the_whole_allowance", Message::kValue, "0D FF 00 80 00 00",
     EncodableMap{{EncodableValue(), EncodableValue()}},
     InvalidReads(flutter::kShortReadAllowance)},
    {"map_count_fits_value_missing", Message::kValue, "0D 01 01", EncodableMap{{true, {}}},
     InvalidReads(1)},
    {"map_entry_missing_is_a_null_key_and_value", Message::kValue, "0D 02 01 02",
     EncodableMap{{EncodableValue(), EncodableValue()}, {true, false}}, InvalidReads(2)},
    // Calls and envelopes: each value of the layout as above.
    {"call_name_keeps_its_length", Message::kCall, "07 03", Call(std::string(3, '\0'), {}),
     InvalidReads(2)},
    {"call_arguments_map_twice_the_allowance", Message::kCall, "07 01 6D 0D FF 00 00 01 00",
     Call("m", EncodableMap{}), InvalidReads(1)},
    {"call_arguments_list_short", Message::kCall, "07 01 6D 0C 02 01",
     Call("m", EncodableList{true, EncodableValue()}), InvalidReads(1)},
    {"success_list_short", Message::kResponse, "00 0C 02 01",
     Success(EncodableList{true, EncodableValue()}), InvalidReads(1)},
    {"success_typed_list_aligned_from_the_flag", Message::kResponse, "00 09 02 AA 01",
     Success(std::vector<int32_t>(2)), InvalidReads(1)},
    {"error_message_keeps_its_length", Message::kResponse, "01 07 01 45 07 03",
     Error("E", std::string(3, '\0'), {}), InvalidReads(2)},
    {"error_details_list_short", Message::kResponse, "01 07 01 45 00 0C 02 01",
     Error("E", "", EncodableList{true, EncodableValue()}), InvalidReads(1)},
};

class ShortInputTest : public testing::TestWithParam<ShortRow> {};

TEST_P(ShortInputTest, ReadsAsTheFormatSaysWithOneLinePerFailedRead) {
  const ShortRow& row = GetParam();
  const Bytes bytes = Hex(row.hex);
  static const DerivedSerializer derived;
  for (const StandardCodecSerializer* serializer :
       {&StandardCodecSerializer::GetInstance(),
        static_cast<const StandardCodecSerializer*>(&derived)}) {
    SCOPED_TRACE(serializer == &derived ? "derived serializer" : "standard serializer");
    StderrCapture capture;
    const EncodableValue value = Read(row.kind, bytes, *serializer);
    EXPECT_EQ(ValueText(value), ValueText(row.value));
    EXPECT_EQ(capture.Lines(), row.lines);
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, ShortInputTest, testing::ValuesIn(kRows), RowName());

}  // namespace
}  // namespace kovi_test
