// The fixed failure lines the layers write on the standard error stream
// (errors/, encoding/, embedding/, channels/), spelled out once for every test
// and fuzzer that compares them. Each is the text of one line without its line
// end, as StderrCapture::Lines() gives it. Also the messages of the event
// channel's own error answers (code "error"), which travel in envelopes.
#ifndef KOVI_TESTS_SUPPORT_FAILURE_LINES_H_
#define KOVI_TESTS_SUPPORT_FAILURE_LINES_H_

#include <cstddef>
#include <sstream>
#include <string>
#include <vector>

namespace kovi_test {

using Lines = std::vector<std::string>;

// The encoding layer's readers and writers.
inline constexpr char kInvalidReadLine[] = "Invalid read in StandardCodecByteStreamReader";
inline constexpr char kUnknownTypeLinePrefix[] =
    "Unknown type in StandardCodecSerializer::ReadValueOfType: ";
inline constexpr char kTooDeepLine[] =
    "Nesting too deep in StandardCodecSerializer::ReadValueOfType; value read as null.";
inline constexpr char kCustomTypeLine[] =
    "Unhandled custom type in StandardCodecSerializer::WriteValue. "
    "Custom types require codec extensions.";
inline constexpr char kOversizedLine[] =
    "Value too large for StandardCodecSerializer: sizes above 4294967295 cannot be encoded.";
inline constexpr char kNameNotStringLine[] = "Invalid method call; method name is not a string.";

// The embedding layer.
inline constexpr char kViewControllerFailedLine[] = "Failed to create view controller.";
inline constexpr char kDuplicateResponseLine[] =
    "Error: Response can be set only once. Ignoring duplicate response.";
inline constexpr char kNoEngineLine[] =
    "Cannot get plugin registrar on an engine that isn't running; call Run first.";

// The channels layer.
inline constexpr char kDuplicateResultLine[] =
    "Error: Only one of Success, Error, or NotImplemented can be called, and it can be called "
    "exactly once. Ignoring duplicate result.";
inline constexpr char kMissingResultLine[] =
    "Warning: Failed to respond to a message. This is a memory leak.";

// The messages of the event channel's error answers.
inline constexpr char kNoActiveStreamMessage[] = "No active stream to cancel";
inline constexpr char kNoListenFunctionMessage[] = "No OnListen handler set";
inline constexpr char kNoCancelFunctionMessage[] = "No OnCancel handler set";

// `count` read failures in a row.
inline Lines InvalidReads(size_t count) {
  return Lines(count, kInvalidReadLine);
}

inline std::string UnknownTypeLine(int tag) {
  return kUnknownTypeLinePrefix + std::to_string(tag);
}

// A message on a method channel that is no method call.
inline std::string UndecodableMethodCallLine(const std::string& channel) {
  return "Unable to construct method call from message on channel " + channel;
}

// The same on an event channel, whose line has a colon before the name.
inline std::string UndecodableEventCallLine(const std::string& channel) {
  return "Unable to construct method call from message on channel: " + channel;
}

// The event channel's report of a stream that failed to cancel before a second
// listen: the details are shown by address, and the line is left open.
inline std::string CancelFailedText(const std::string& code, const std::string& message,
                                    const void* details) {
  std::ostringstream text;
  text << "Failed to cancel existing stream: " << code << ", " << message << ", " << details;
  return text.str();
}

}  // namespace kovi_test

#endif  // KOVI_TESTS_SUPPORT_FAILURE_LINES_H_
