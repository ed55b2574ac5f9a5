// How much room to reserve for a value in the standard format before encoding
// it, so the output vector is sized once in the common cases. Exact up to
// padding for scalars, strings and typed lists (their size is cheap to know,
// and a large typed list is then copied exactly once); for lists and maps a
// guess from the entry count, since walking the tree costs about as much as
// growing the vector a few times. A custom value counts as its tag alone.
#ifndef KOVI_ENCODING_ENCODED_SIZE_HINT_H_
#define KOVI_ENCODING_ENCODED_SIZE_HINT_H_

#include <cstddef>

#include "encoding/encodable_value.h"

namespace flutter {

size_t EncodedSizeHint(const EncodableValue& value);

}  // namespace flutter

#endif  // KOVI_ENCODING_ENCODED_SIZE_HINT_H_
