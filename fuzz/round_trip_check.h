// The round-trip check shared by the fuzz targets. Decoded values are compared
// through their encodings rather than with the value ordering: a NaN is
// "equivalent" to every double, 0.0 and -0.0 are equivalent, and a map drops a
// duplicate key, so only byte equality of two encodings proves that nothing
// changed. Used on the fuzzing thread only.
#ifndef KOVI_FUZZ_ROUND_TRIP_CHECK_H_
#define KOVI_FUZZ_ROUND_TRIP_CHECK_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "encoding/encodable_value.h"

namespace kovi_fuzz {

// One value read with the shared standard serializer from the start of a message.
flutter::EncodableValue DecodeValue(const uint8_t* bytes, size_t size);

// Aborts the process, after printing both byte strings in hex to the C stderr
// stream (long ones around their first difference), when the encodings differ.
// `what` names the message kind in the report.
void RequireSameEncoding(const std::vector<uint8_t>& first, const std::vector<uint8_t>& second,
                         const char* what);

// Aborts the process with `reason` on the C stderr stream.
[[noreturn]] void Fail(const char* reason);

}  // namespace kovi_fuzz

#endif  // KOVI_FUZZ_ROUND_TRIP_CHECK_H_
