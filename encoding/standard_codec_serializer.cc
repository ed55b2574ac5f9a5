#include "encoding/standard_codec_serializer.h"

// The serializer's own lifetime and shared instance; its writing and reading
// rules are in standard_codec_writer.cc and standard_codec_reader.cc.

namespace flutter {

StandardCodecSerializer::StandardCodecSerializer() = default;

StandardCodecSerializer::~StandardCodecSerializer() = default;

const StandardCodecSerializer& StandardCodecSerializer::GetInstance() {
  static const StandardCodecSerializer instance;
  return instance;
}

}  // namespace flutter
