#include "encoding/method_codec.h"

namespace flutter {

MethodCodec::~MethodCodec() = default;

}  // namespace flutter
