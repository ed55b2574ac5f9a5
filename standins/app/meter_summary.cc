#include "standins/app/meter_summary.h"

#include <algorithm>
#include <cstdio>

#include "standins/app/hex.h"
#include "standins/app/json_writer.h"

namespace {

void WriteMouse(JsonWriter* json, const char* key, const MeterRecord::MouseParameters& values) {
  json->Key(key);
  if (!values) {
    json->Null();
    return;
  }
  json->BeginArray();
  for (int value : *values) {
    json->Integer(value);
  }
  json->EndArray();
}

void WriteFigures(JsonWriter* json, const TickFigures& figures) {
  json->BeginObject()
      .Key("packets")
      .Integer(static_cast<int64_t>(figures.packets))
      .Key("ticks")
      .Integer(static_cast<int64_t>(figures.ticks))
      .Key("rate_hz")
      .Number(figures.rate_hz)
      .Key("min_per_tick")
      .Integer(figures.min_per_tick)
      .Key("max_per_tick")
      .Integer(figures.max_per_tick)
      .Key("mean_per_tick")
      .Number(figures.mean_per_tick)
      .Key("nominal_rate_hz")
      .Integer(figures.nominal_rate_hz)
      .Key("estimated_missed")
      .Integer(static_cast<int64_t>(figures.estimated_missed))
      .EndObject();
}

// Batches other than the last that do not hold five counts.
size_t IrregularBatches(const std::vector<size_t>& lengths) {
  size_t irregular = 0;
  for (size_t i = 0; i + 1 < lengths.size(); ++i) {
    irregular += lengths[i] == 5 ? 0 : 1;
  }
  return irregular;
}

std::string MouseText(const MeterRecord::MouseParameters& values) {
  if (!values) {
    return "unknown";
  }
  return std::to_string((*values)[0]) + "," + std::to_string((*values)[1]) + "," +
         std::to_string((*values)[2]);
}

}  // namespace

std::string LiveLine(const TickFigures& figures) {
  char line[160];
  std::snprintf(line, sizeof(line), "%.0f Hz | per tick min %d max %d mean %.2f | missed ~%llu",
                figures.rate_hz, figures.min_per_tick, figures.max_per_tick, figures.mean_per_tick,
                static_cast<unsigned long long>(figures.estimated_missed));
  return line;
}

std::string MeterResultLine(const MeterRecord& record, const TickStatistics& statistics) {
  const std::vector<size_t>& lengths = statistics.batch_lengths();
  size_t hostile_ok = 0;
  for (const HostileOutcome& outcome : record.hostile) {
    hostile_ok += outcome.as_expected ? 1 : 0;
  }
  std::string bounds = record.window_bounds;
  std::replace(bounds.begin(), bounds.end(), ' ', ',');
  char rates[96];
  TickFigures overall = statistics.Overall();
  std::snprintf(rates, sizeof(rates), " rate_hz=%.1f cpu_ms_per_s=%.1f", overall.rate_hz,
                record.capture_seconds > 0
                    ? 1000 * record.capture_cpu_seconds / record.capture_seconds
                    : 0.0);
  return "result packets=" + std::to_string(statistics.total_packets()) +
         " batches=" + std::to_string(lengths.size()) +
         " irregular_batches=" + std::to_string(IrregularBatches(lengths)) +
         " last_batch=" + std::to_string(lengths.empty() ? 0 : lengths.back()) +
         " ticks=" + std::to_string(statistics.total_ticks()) + rates +
         " supported=" + (record.supported ? "true" : "false") +
         " bounds=" + (bounds.empty() ? "unknown" : bounds) +
         " mouse_before=" + MouseText(record.mouse_before) +
         " mouse_during=" + MouseText(record.mouse_during) +
         " mouse_after=" + MouseText(record.mouse_after_stop) +
         " mouse_at_shutdown=" + MouseText(record.mouse_at_shutdown) +
         " closing_batches=" + std::to_string(record.batches_while_closing) +
         " closing_packets=" + std::to_string(record.packets_while_closing) +
         " hostile_ok=" + std::to_string(hostile_ok) +
         " hostile_total=" + std::to_string(record.hostile.size()) +
         " stopped_by_meter=" + (record.stopped_by_meter ? "true" : "false");
}

std::string MeterSummaryJson(const MeterRecord& record, const TickStatistics& statistics) {
  JsonWriter json;
  json.BeginObject();
  json.Key("arguments").BeginArray();
  for (const std::string& argument : record.arguments) {
    json.String(argument);
  }
  json.EndArray();
  json.Key("arguments_hex").BeginArray();
  for (const std::string& argument : record.arguments) {
    json.String(ToHex(argument));
  }
  json.EndArray();
  json.Key("problems").BeginArray();
  for (const std::string& problem : record.problems) {
    json.String(problem);
  }
  json.EndArray();
  json.Key("supported").Bool(record.supported);
  json.Key("window_bounds").String(record.window_bounds);
  json.Key("mouse").BeginObject();
  WriteMouse(&json, "before", record.mouse_before);
  WriteMouse(&json, "during", record.mouse_during);
  WriteMouse(&json, "after_stop", record.mouse_after_stop);
  WriteMouse(&json, "at_shutdown", record.mouse_at_shutdown);
  json.EndObject();
  json.Key("stopped_by_meter").Bool(record.stopped_by_meter);
  json.Key("capture_seconds").Number(record.capture_seconds);
  json.Key("capture_cpu_seconds").Number(record.capture_cpu_seconds);
  json.Key("packets").Integer(static_cast<int64_t>(statistics.total_packets()));
  json.Key("ticks").Integer(static_cast<int64_t>(statistics.total_ticks()));
  json.Key("batch_lengths").BeginArray();
  for (size_t length : statistics.batch_lengths()) {
    json.Integer(static_cast<int64_t>(length));
  }
  json.EndArray();
  json.Key("batches_while_closing").Integer(static_cast<int64_t>(record.batches_while_closing));
  json.Key("packets_while_closing").Integer(static_cast<int64_t>(record.packets_while_closing));
  json.Key("overall");
  WriteFigures(&json, statistics.Overall());
  json.Key("rates_per_second").BeginArray();
  for (double rate : statistics.window_rates()) {
    json.Number(rate);
  }
  json.EndArray();
  json.Key("hostile").BeginArray();
  for (const HostileOutcome& outcome : record.hostile) {
    json.BeginObject()
        .Key("label")
        .String(outcome.label)
        .Key("reply_hex")
        .String(outcome.reply_hex)
        .Key("as_expected")
        .Bool(outcome.as_expected)
        .EndObject();
  }
  json.EndArray();
  json.Key("expected_error_lines").BeginArray();
  for (const std::string& line : record.expected_error_lines) {
    json.String(line);
  }
  json.EndArray();
  json.EndObject();
  return json.text() + "\n";
}

std::vector<std::string> MeterSummaryLines(const MeterRecord& record,
                                           const TickStatistics& statistics) {
  TickFigures overall = statistics.Overall();
  char cpu[96];
  std::snprintf(cpu, sizeof(cpu), "%.2f s of capture, %.3f s CPU (%.1f ms per second)",
                record.capture_seconds, record.capture_cpu_seconds,
                record.capture_seconds > 0
                    ? 1000 * record.capture_cpu_seconds / record.capture_seconds
                    : 0.0);
  return {
      "summary: " + LiveLine(overall),
      "summary: " + std::to_string(statistics.total_packets()) + " packets in " +
          std::to_string(statistics.batch_lengths().size()) + " batches, " +
          std::to_string(statistics.total_ticks()) + " ticks",
      "summary: " + std::string(cpu),
      "summary: mouse parameters before " + MouseText(record.mouse_before) + ", during " +
          MouseText(record.mouse_during) + ", after " + MouseText(record.mouse_after_stop) +
          ", at shutdown " + MouseText(record.mouse_at_shutdown),
  };
}
