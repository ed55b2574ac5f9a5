#include "standins/app/envelope.h"

#include "encoding/byte_buffer_stream_reader.h"
#include "encoding/standard_codec_serializer.h"

namespace {

std::string StringOr(const flutter::EncodableValue& value, const std::string& fallback) {
  const auto* text = std::get_if<std::string>(&value);
  return text == nullptr ? fallback : *text;
}

}  // namespace

Envelope DecodeEnvelope(const std::vector<uint8_t>& bytes) {
  Envelope envelope;
  if (bytes.empty()) {
    return envelope;
  }
  // The reader spans the whole message: alignment counts from its first byte.
  flutter::ByteBufferStreamReader reader(bytes.data(), bytes.size());
  const auto& serializer = flutter::StandardCodecSerializer::GetInstance();
  uint8_t flag = reader.ReadByte();
  if (flag == 0) {
    envelope.kind = Envelope::Kind::kSuccess;
    envelope.value = serializer.ReadValue(&reader);
  } else if (flag == 1) {
    envelope.kind = Envelope::Kind::kError;
    envelope.error_code = StringOr(serializer.ReadValue(&reader), "");
    envelope.error_message = StringOr(serializer.ReadValue(&reader), "");
  } else {
    envelope.kind = Envelope::Kind::kMalformed;
  }
  return envelope;
}

std::optional<std::vector<int32_t>> DecodeBatch(const std::vector<uint8_t>& bytes) {
  Envelope envelope = DecodeEnvelope(bytes);
  const auto* list = std::get_if<flutter::EncodableList>(&envelope.value);
  if (envelope.kind != Envelope::Kind::kSuccess || list == nullptr) {
    return std::nullopt;
  }
  std::vector<int32_t> counts;
  counts.reserve(list->size());
  for (const flutter::EncodableValue& element : *list) {
    const auto* count = std::get_if<int32_t>(&element);
    if (count == nullptr) {
      return std::nullopt;
    }
    counts.push_back(*count);
  }
  return counts;
}
