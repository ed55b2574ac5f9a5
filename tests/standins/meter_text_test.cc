// The meter's text forms: options, JSON, hex, envelopes, chart and live line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "standins/app/envelope.h"
#include "standins/app/hex.h"
#include "standins/app/json_writer.h"
#include "standins/app/meter_options.h"
#include "standins/app/meter_summary.h"
#include "standins/app/rate_chart.h"

namespace {

TEST(MeterOptionsTest, ReadsEachOption) {
  MeterOptions options = ParseMeterOptions(
      {"--seconds", "12", "--transcript", "t.txt", "--summary", "s.json", "--chart", "c.svg",
       "--set-mouse", "3,7,2", "--hostile", "--expected-errors", "e.txt", "--no-close"});
  EXPECT_EQ(options.seconds, 12);
  EXPECT_EQ(options.transcript_path, "t.txt");
  EXPECT_EQ(options.summary_path, "s.json");
  EXPECT_EQ(options.chart_path, "c.svg");
  ASSERT_TRUE(options.set_mouse.has_value());
  EXPECT_EQ(*options.set_mouse, (std::array<int, 3>{3, 7, 2}));
  EXPECT_TRUE(options.hostile);
  EXPECT_EQ(options.expected_errors_path, "e.txt");
  EXPECT_FALSE(options.close_when_done);
  EXPECT_TRUE(options.problems.empty());
}

TEST(MeterOptionsTest, DefaultsAndIgnoredArguments) {
  MeterOptions options = ParseMeterOptions({"first", "with spaces \xF0\x9F\x98\x80"});
  EXPECT_EQ(options.seconds, 5);
  EXPECT_FALSE(options.hostile);
  EXPECT_TRUE(options.close_when_done);
  EXPECT_FALSE(options.set_mouse.has_value());
  EXPECT_TRUE(options.problems.empty());
}

TEST(MeterOptionsTest, UnreadableValuesAreReportedAndIgnored) {
  const std::vector<std::vector<std::string>> cases = {
      {"--seconds", "0"},     {"--seconds", "five"},    {"--seconds", "3x"},
      {"--set-mouse", "1,2"}, {"--set-mouse", "a,b,c"}, {"--summary"},
  };
  for (const auto& arguments : cases) {
    MeterOptions options = ParseMeterOptions(arguments);
    EXPECT_EQ(options.problems.size(), 1u) << arguments[0];
    EXPECT_EQ(options.seconds, 5);
    EXPECT_FALSE(options.set_mouse.has_value());
  }
}

TEST(JsonWriterTest, NestsAndEscapes) {
  JsonWriter json;
  json.BeginObject()
      .Key("a")
      .BeginArray()
      .Integer(-1)
      .Number(1.5)
      .Bool(true)
      .Null()
      .EndArray()
      .Key("quote\"back\\slash")
      .String("line\nend\x01 \xE2\x82\xAC")
      .Key("empty")
      .BeginObject()
      .EndObject()
      .EndObject();
  EXPECT_EQ(json.text(),
            "{\"a\":[-1,1.500,true,null],\"quote\\\"back\\\\slash\":\"line\\u000aend\\u0001 "
            "\xE2\x82\xAC\",\"empty\":{}}");
}

TEST(HexTest, TwoLowerCaseDigitsPerByte) {
  EXPECT_EQ(ToHex(std::string("\x00\x0f\xab\xff", 4)), "000fabff");
  EXPECT_EQ(ToHex(nullptr, 0), "");
}

TEST(EnvelopeTest, ReadsRepliesAndBatches) {
  EXPECT_EQ(DecodeEnvelope({}).kind, Envelope::Kind::kEmpty);
  Envelope success = DecodeEnvelope({0x00, 0x03, 0x05, 0x00, 0x00, 0x00});
  EXPECT_EQ(success.kind, Envelope::Kind::kSuccess);
  EXPECT_EQ(std::get<int32_t>(success.value), 5);
  Envelope error = DecodeEnvelope({0x01, 0x07, 0x01, 'E', 0x07, 0x01, 'x', 0x00});
  EXPECT_EQ(error.kind, Envelope::Kind::kError);
  EXPECT_EQ(error.error_code, "E");
  EXPECT_EQ(error.error_message, "x");
  EXPECT_EQ(DecodeEnvelope({0x02}).kind, Envelope::Kind::kMalformed);

  EXPECT_EQ(DecodeBatch({0x00, 0x0C, 0x02, 0x03, 0x0A, 0, 0, 0, 0x03, 0x09, 0, 0, 0}),
            (std::vector<int32_t>{10, 9}));
  // A typed list, a list with another value, an error: not batches.
  EXPECT_FALSE(DecodeBatch({0x00, 0x09, 0x01, 0x00, 0x0A, 0, 0, 0}).has_value());
  EXPECT_FALSE(DecodeBatch({0x00, 0x0C, 0x01, 0x01}).has_value());
  EXPECT_FALSE(DecodeBatch({0x01, 0x07, 0x01, 'E', 0x00, 0x00}).has_value());
}

TEST(MeterSummaryTest, LiveLine) {
  TickFigures figures = FiguresOf(std::vector<int32_t>{9, 10, 11, 10}.data(), 4);
  EXPECT_EQ(LiveLine(figures), "1000 Hz | per tick min 9 max 11 mean 10.00 | missed ~0");
}

TEST(RateChartTest, OnePointPerSecondUnderATitle) {
  std::string svg = RateChartSvg({1000, 990, 1010}, "a <b>");
  EXPECT_EQ(svg.rfind("<svg ", 0), 0u);
  EXPECT_NE(svg.find("a &lt;b&gt;"), std::string::npos);
  size_t points = svg.find("points=\"");
  ASSERT_NE(points, std::string::npos);
  std::string list = svg.substr(points + 8, svg.find('"', points + 8) - points - 8);
  EXPECT_EQ(std::count(list.begin(), list.end(), ','), 3);
  EXPECT_NE(svg.find("</svg>"), std::string::npos);
}

}  // namespace
