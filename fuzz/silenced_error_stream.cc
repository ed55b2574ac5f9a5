#include "fuzz/silenced_error_stream.h"

#include <iostream>

namespace kovi_fuzz {

SilencedErrorStream::SilencedErrorStream()
    : original_buffer_(std::cerr.rdbuf(&discarding_buffer_)) {}

SilencedErrorStream::~SilencedErrorStream() {
  std::cerr.rdbuf(original_buffer_);
}

SilencedErrorStream::DiscardingBuffer::int_type SilencedErrorStream::DiscardingBuffer::overflow(
    int_type character) {
  return traits_type::not_eof(character);
}

std::streamsize SilencedErrorStream::DiscardingBuffer::xsputn(const char_type*,
                                                              std::streamsize count) {
  return count;
}

}  // namespace kovi_fuzz
