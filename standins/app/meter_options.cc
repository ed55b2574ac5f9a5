#include "standins/app/meter_options.h"

#include <cstdlib>

namespace {

bool ParseInt(const std::string& text, int* value) {
  if (text.empty()) {
    return false;
  }
  char* end = nullptr;
  long parsed = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || parsed < -1000000 || parsed > 1000000) {
    return false;
  }
  *value = static_cast<int>(parsed);
  return true;
}

bool ParseTriple(const std::string& text, std::array<int, 3>* values) {
  size_t first = text.find(',');
  size_t second = first == std::string::npos ? first : text.find(',', first + 1);
  if (second == std::string::npos) {
    return false;
  }
  return ParseInt(text.substr(0, first), &(*values)[0]) &&
         ParseInt(text.substr(first + 1, second - first - 1), &(*values)[1]) &&
         ParseInt(text.substr(second + 1), &(*values)[2]);
}

}  // namespace

MeterOptions ParseMeterOptions(const std::vector<std::string>& arguments) {
  MeterOptions options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (name == "--hostile") {
      options.hostile = true;
      continue;
    }
    if (name == "--no-close") {
      options.close_when_done = false;
      continue;
    }
    bool takes_value = name == "--seconds" || name == "--transcript" || name == "--summary" ||
                       name == "--chart" || name == "--set-mouse" || name == "--expected-errors";
    if (!takes_value) {
      continue;
    }
    if (i + 1 >= arguments.size()) {
      options.problems.push_back(name + " needs a value");
      continue;
    }
    const std::string& value = arguments[++i];
    if (name == "--seconds") {
      int seconds = 0;
      if (ParseInt(value, &seconds) && seconds >= 1) {
        options.seconds = seconds;
      } else {
        options.problems.push_back("--seconds wants a whole number of at least 1: " + value);
      }
    } else if (name == "--set-mouse") {
      std::array<int, 3> parameters{};
      if (ParseTriple(value, &parameters)) {
        options.set_mouse = parameters;
      } else {
        options.problems.push_back("--set-mouse wants A,B,C: " + value);
      }
    } else if (name == "--transcript") {
      options.transcript_path = value;
    } else if (name == "--summary") {
      options.summary_path = value;
    } else if (name == "--expected-errors") {
      options.expected_errors_path = value;
    } else {
      options.chart_path = value;
    }
  }
  return options;
}
