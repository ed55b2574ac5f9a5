// The hostile Dart side: messages a misbehaving or malicious application could
// send on the capture channels, each with the exact reply and the exact lines
// the host must write to its standard error stream for it. The meter sends
// them in order, one after the other's reply, before it measures; the system
// test compares the lines, the meter compares the replies.
#ifndef KOVI_STANDINS_APP_HOSTILE_SCRIPT_H_
#define KOVI_STANDINS_APP_HOSTILE_SCRIPT_H_

#include <cstdint>
#include <string>
#include <vector>

struct HostileStep {
  std::string label;
  std::string channel;
  std::vector<uint8_t> message;
  // Hex of the reply; empty for an empty reply.
  std::string expected_reply_hex;
  std::vector<std::string> expected_error_lines;
};

std::vector<HostileStep> HostileScript();

#endif  // KOVI_STANDINS_APP_HOSTILE_SCRIPT_H_
