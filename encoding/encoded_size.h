// An upper bound of the size of a value in the standard format, so encoders can
// size their output vector once. Padding is counted at its worst; a custom value
// counts as one byte (an extended serializer's output may then grow the vector).
#ifndef KOVI_ENCODING_ENCODED_SIZE_H_
#define KOVI_ENCODING_ENCODED_SIZE_H_

#include <cstddef>

#include "encoding/encodable_value.h"

namespace flutter {

size_t EncodedSizeBound(const EncodableValue& value);

}  // namespace flutter

#endif  // KOVI_ENCODING_ENCODED_SIZE_H_
