// The capture's two channels by name, "kovi/raw_mouse" for its methods and
// "kovi/raw_mouse_events" for its batches, spelled out for the tests that
// drive them or take them as any channel's names; and the codec both carry.
#ifndef KOVI_TESTS_SUPPORT_CAPTURE_CHANNELS_H_
#define KOVI_TESTS_SUPPORT_CAPTURE_CHANNELS_H_

#include "encoding/standard_method_codec.h"

namespace kovi_test {

inline constexpr char kControlChannel[] = "kovi/raw_mouse";
inline constexpr char kEventChannel[] = "kovi/raw_mouse_events";

inline const flutter::MethodCodec* Codec() {
  return &flutter::StandardMethodCodec::GetInstance();
}

}  // namespace kovi_test

#endif  // KOVI_TESTS_SUPPORT_CAPTURE_CHANNELS_H_
