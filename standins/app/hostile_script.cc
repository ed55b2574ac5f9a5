#include "standins/app/hostile_script.h"

#include "standins/app/hex.h"

namespace {

constexpr char kControl[] = "kovi/raw_mouse";
constexpr char kEvents[] = "kovi/raw_mouse_events";

const char kInvalidRead[] = "Invalid read in StandardCodecByteStreamReader";
const char kNotString[] = "Invalid method call; method name is not a string.";
const char kTooDeep[] =
    "Nesting too deep in StandardCodecSerializer::ReadValueOfType; value read as null.";
const std::string kControlUndecodable =
    "Unable to construct method call from message on channel kovi/raw_mouse";
const std::string kEventsUndecodable =
    "Unable to construct method call from message on channel: kovi/raw_mouse_events";

std::string UnknownType(int tag) {
  return "Unknown type in StandardCodecSerializer::ReadValueOfType: " + std::to_string(tag);
}

std::vector<uint8_t> Bytes(std::initializer_list<uint8_t> bytes) {
  return bytes;
}

// A string value: tag 7, a one-byte size, the bytes.
std::vector<uint8_t> StringValue(const std::string& text) {
  std::vector<uint8_t> bytes;
  bytes.reserve(text.size() + 2);
  bytes.push_back(7);
  bytes.push_back(static_cast<uint8_t>(text.size()));
  for (char c : text) {
    bytes.push_back(static_cast<uint8_t>(c));
  }
  return bytes;
}

std::vector<uint8_t> Call(const std::string& method, const std::vector<uint8_t>& arguments = {0}) {
  std::vector<uint8_t> bytes = StringValue(method);
  for (uint8_t byte : arguments) {
    bytes.push_back(byte);
  }
  return bytes;
}

// A list announcing 2^32-1 elements in six bytes, with none of them present.
std::vector<uint8_t> HugeList() {
  return Bytes({0x0C, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
}

// Lists of one element nested `depth` deep around a null.
std::vector<uint8_t> DeepList(int depth) {
  std::vector<uint8_t> bytes;
  for (int i = 0; i < depth; ++i) {
    bytes.push_back(0x0C);
    bytes.push_back(0x01);
  }
  bytes.push_back(0x00);
  return bytes;
}

const std::string kSuccessNull = "0000";
const std::string kSupported = "000d010709" + ToHex(std::string("supported")) + "01";
const std::string kNoActiveStream =
    "01070565"
    "72726f72"
    "071a" +
    ToHex(std::string("No active stream to cancel")) + "00";

}  // namespace

std::vector<HostileStep> HostileScript() {
  constexpr int kDeep = 10000;
  return {
      {"unknown tag on control",
       kControl,
       Bytes({0xFF}),
       "",
       {UnknownType(255), kNotString, kControlUndecodable}},
      {"unknown tag on events",
       kEvents,
       Bytes({0xFF}),
       "",
       {UnknownType(255), kNotString, kEventsUndecodable}},
      {"empty message on control",
       kControl,
       {},
       "",
       {kInvalidRead, kNotString, kControlUndecodable}},
      {"empty message on events", kEvents, {}, "", {kInvalidRead, kNotString, kEventsUndecodable}},
      {"name cut short",
       kControl,
       Bytes({0x07, 0x0B, 0x69, 0x73}),
       "",
       {kInvalidRead, UnknownType(0x69)}},
      {"integer as name",
       kEvents,
       Bytes({0x03, 0x01, 0x00, 0x00, 0x00}),
       "",
       {kNotString, kEventsUndecodable}},
      {"unknown method", kControl, Call("fooBar"), "", {}},
      {"wrong case StartCapture", kControl, Call("StartCapture"), "", {}},
      {"wrong case startcapture", kControl, Call("startcapture"), "", {}},
      {"prefix startCap", kControl, Call("startCap"), "", {}},
      {"trailing blank isSupported", kControl, Call("isSupported "), "", {}},
      {"wrong case Listen", kEvents, Call("Listen"), "", {}},
      {"unknown method on events", kEvents, Call("pause"), "", {}},
      {"cancel without listen", kEvents, Call("cancel"), kNoActiveStream, {}},
      {"stop without capture", kControl, Call("stopCapture"), kSuccessNull, {}},
      {"listen", kEvents, Call("listen"), kSuccessNull, {}},
      {"second listen", kEvents, Call("listen"), kSuccessNull, {}},
      {"huge list as name",
       kControl,
       HugeList(),
       "",
       {kInvalidRead, kNotString, kControlUndecodable}},
      {"huge list as arguments",
       kControl,
       Call("isSupported", HugeList()),
       kSupported,
       {kInvalidRead}},
      {"deep nesting as arguments",
       kControl,
       Call("isSupported", DeepList(kDeep)),
       kSupported,
       {kTooDeep}},
      {"deep nesting as name",
       kEvents,
       DeepList(kDeep),
       "",
       {kTooDeep, kNotString, kEventsUndecodable}},
      {"string arguments", kControl, Call("isSupported", StringValue("x")), kSupported, {}},
  };
}
