// The command line of the stand-in polling-rate meter, as it arrives through
// the engine's entry-point arguments. Unknown arguments are kept (the meter
// reports every argument it receives) and otherwise ignored.
//
//   --seconds N            capture for N seconds, then stop and close (default 5)
//   --transcript PATH      every channel message: direction, time, bytes in hex
//   --summary PATH         a JSON summary of the run
//   --chart PATH           an SVG chart of the report rate over time
//   --set-mouse A,B,C      set the mouse parameters (thresholds, acceleration) first
//   --hostile              send the hostile message script before measuring
//   --expected-errors PATH with --hostile: the error lines the host must write, one a line
//   --no-close             leave the window open after stopping (it is closed from outside)
#ifndef KOVI_STANDINS_APP_METER_OPTIONS_H_
#define KOVI_STANDINS_APP_METER_OPTIONS_H_

#include <array>
#include <optional>
#include <string>
#include <vector>

struct MeterOptions {
  int seconds = 5;
  std::string transcript_path;
  std::string summary_path;
  std::string chart_path;
  std::string expected_errors_path;
  std::optional<std::array<int, 3>> set_mouse;
  bool hostile = false;
  bool close_when_done = true;
  // Option values that could not be read, one description each.
  std::vector<std::string> problems;
};

MeterOptions ParseMeterOptions(const std::vector<std::string>& arguments);

#endif  // KOVI_STANDINS_APP_METER_OPTIONS_H_
