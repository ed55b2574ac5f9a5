#include "encoding/standard_method_codec.h"

#include <algorithm>
#include <map>
#include <utility>

#include "encoding/byte_buffer_stream_reader.h"
#include "encoding/byte_buffer_stream_writer.h"
#include "encoding/encoded_size_hint.h"
#include "encoding/in_place_writer.h"
#include "errors/error_line.h"

namespace flutter {
namespace {

constexpr uint8_t kSuccessFlag = 0;
constexpr uint8_t kErrorFlag = 1;

constexpr char kNameNotStringLine[] = "Invalid method call; method name is not a string.";

// A string value's hint without building the value.
size_t StringHint(const std::string& string) {
  return 1 + 5 + string.size();
}

// The value, or null when there is none; never a copy of the value.
const EncodableValue& ValueOrNull(const EncodableValue* value) {
  static const EncodableValue null;
  return value != nullptr ? *value : null;
}

size_t OptionalHint(const EncodableValue* value) {
  return value != nullptr ? EncodedSizeHint(*value) : 1;
}

// A new message vector with room for `hint` bytes, up to the room the writer
// may make ahead of what it writes: a hint that guesses high (many small list
// entries) would otherwise leave the vector many times larger than the message.
std::unique_ptr<std::vector<uint8_t>> NewMessage(size_t hint) {
  auto bytes = std::make_unique<std::vector<uint8_t>>();
  bytes->reserve(std::min(hint, InPlaceWriter::kRoomBound));
  return bytes;
}

}  // namespace

const StandardMethodCodec& StandardMethodCodec::GetInstance(
    const StandardCodecSerializer* serializer) {
  if (serializer == nullptr) {
    serializer = &StandardCodecSerializer::GetInstance();
  }
  // Never destroyed: the codecs must outlive every channel, whatever the
  // order of static destruction.
  using Registry = std::map<const StandardCodecSerializer*, std::unique_ptr<StandardMethodCodec>>;
  static Registry* registry = new Registry();
  auto found = registry->find(serializer);
  if (found == registry->end()) {
    std::unique_ptr<StandardMethodCodec> codec(new StandardMethodCodec(serializer));
    found = registry->emplace(serializer, std::move(codec)).first;
  }
  return *found->second;
}

StandardMethodCodec::StandardMethodCodec(const StandardCodecSerializer* serializer)
    : serializer_(serializer) {}

StandardMethodCodec::~StandardMethodCodec() = default;

std::unique_ptr<MethodCall> StandardMethodCodec::DecodeMethodCall(const uint8_t* message,
                                                                  size_t message_size) const {
  ByteBufferStreamReader reader(message, message_size);
  EncodableValue name = serializer_->ReadValue(&reader);
  auto* method_name = std::get_if<std::string>(&name);
  if (method_name == nullptr) {
    WriteErrorLine(kNameNotStringLine);
    return nullptr;
  }
  auto arguments = std::make_unique<EncodableValue>(serializer_->ReadValue(&reader));
  return std::make_unique<MethodCall>(std::move(*method_name), std::move(arguments));
}

std::unique_ptr<std::vector<uint8_t>> StandardMethodCodec::EncodeMethodCall(
    const MethodCall& call) const {
  auto bytes = NewMessage(StringHint(call.method_name()) + OptionalHint(call.arguments()));
  ByteBufferStreamWriter writer(bytes.get());
  serializer_->WriteValue(EncodableValue(call.method_name()), &writer);
  serializer_->WriteValue(ValueOrNull(call.arguments()), &writer);
  return bytes;
}

std::unique_ptr<std::vector<uint8_t>> StandardMethodCodec::EncodeSuccessEnvelope(
    const EncodableValue* result) const {
  auto bytes = NewMessage(1 + OptionalHint(result));
  ByteBufferStreamWriter writer(bytes.get());
  writer.WriteByte(kSuccessFlag);
  serializer_->WriteValue(ValueOrNull(result), &writer);
  return bytes;
}

std::unique_ptr<std::vector<uint8_t>> StandardMethodCodec::EncodeErrorEnvelope(
    const std::string& error_code, const std::string& error_message,
    const EncodableValue* error_details) const {
  auto bytes = NewMessage(1 + StringHint(error_code) + StringHint(error_message) +
                          OptionalHint(error_details));
  ByteBufferStreamWriter writer(bytes.get());
  writer.WriteByte(kErrorFlag);
  serializer_->WriteValue(EncodableValue(error_code), &writer);
  serializer_->WriteValue(error_message.empty() ? EncodableValue() : EncodableValue(error_message),
                          &writer);
  serializer_->WriteValue(ValueOrNull(error_details), &writer);
  return bytes;
}

bool StandardMethodCodec::DecodeAndProcessResponseEnvelope(const uint8_t* response,
                                                           size_t response_size,
                                                           MethodResult* result) const {
  ByteBufferStreamReader reader(response, response_size);
  uint8_t flag = reader.ReadByte();
  if (flag == kSuccessFlag) {
    EncodableValue value = serializer_->ReadValue(&reader);
    if (value.IsNull()) {
      result->Success();
    } else {
      result->Success(value);
    }
    return true;
  }
  if (flag != kErrorFlag) {
    return false;
  }
  EncodableValue code = serializer_->ReadValue(&reader);
  EncodableValue message = serializer_->ReadValue(&reader);
  EncodableValue details = serializer_->ReadValue(&reader);
  const auto* code_text = std::get_if<std::string>(&code);
  const auto* message_text = std::get_if<std::string>(&message);
  if (code_text == nullptr || (message_text == nullptr && !message.IsNull())) {
    return false;
  }
  result->Error(*code_text, message_text != nullptr ? *message_text : std::string(),
                details.IsNull() ? nullptr : &details);
  return true;
}

}  // namespace flutter
