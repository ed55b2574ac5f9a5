// Turns a fuzzer's input bytes into large values for the standard codec. The
// bytes choose the shapes (kinds, block lengths and element counts around the
// size-form boundaries, repeat counts, wide lists and maps, nesting down to
// the deepest level a reader accepts), while long blocks are filled with a
// pattern, so a few input bytes stand for MiBs of value. Every value it makes
// comes back unchanged from an encode and a decode: no custom values, map keys
// distinct, containers nested at most StandardCodecSerializer::kMaxReadNesting
// deep.
//
// One generator serves one input and keeps a budget for it: all the values it
// makes together hold at most kByteBudget bytes of content and kValueBudget
// values, counting every copy. A request past the budget is cut short. Once
// the input is used up, every byte reads as 0, which makes nulls.
#ifndef KOVI_FUZZ_LARGE_VALUE_GENERATOR_H_
#define KOVI_FUZZ_LARGE_VALUE_GENERATOR_H_

#include <cstddef>
#include <cstdint>

#include "encoding/encodable_value.h"

namespace kovi_fuzz {

class LargeValueGenerator {
 public:
  static constexpr size_t kByteBudget = size_t{4} << 20;
  static constexpr size_t kValueBudget = size_t{1} << 17;

  // Reads from `data`, which must outlive the generator.
  LargeValueGenerator(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  // The next input byte; 0 once the input is used up.
  uint8_t TakeByte() { return position_ < size_ ? data_[position_++] : 0; }

  // The next value, as a whole message.
  flutter::EncodableValue Value() { return ValueAt(0); }

 private:
  // A value inside `depth` lists and maps.
  flutter::EncodableValue ValueAt(int depth);
  flutter::EncodableValue Container(uint8_t kind, int depth);
  flutter::EncodableValue Block(uint8_t kind);
  flutter::EncodableValue List(int depth);
  flutter::EncodableValue Map(int depth);
  flutter::EncodableValue Repeated(int depth);
  flutter::EncodableValue Chain(int depth);
  flutter::EncodableValue AtOddOffset();
  flutter::EncodableValue IndexedKey(uint8_t kind, size_t index);

  // A typed list of the input's length, filled with a pattern.
  template <typename T>
  flutter::EncodableValue Filled();

  // An element count: mostly below 256, else next to a size-form or growth
  // boundary, or up to MiBs.
  size_t DrawCount();
  // Cuts `count` to the items of `bytes_each` bytes and `values_each` values
  // that the budget has left, and charges them to it.
  size_t Charge(size_t count, size_t bytes_each, size_t values_each);
  // Fills `length` bytes with a pattern of period 251 chosen by the input.
  void Fill(void* out, size_t length);
  template <typename T>
  T Number();

  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
  size_t bytes_left_ = kByteBudget;
  size_t values_left_ = kValueBudget;
};

}  // namespace kovi_fuzz

#endif  // KOVI_FUZZ_LARGE_VALUE_GENERATOR_H_
