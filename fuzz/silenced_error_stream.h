// Discards everything written to std::cerr while an instance lives, so that the
// codec's one-line reports on bad input do not make a fuzzing campaign I/O
// bound. libFuzzer's own reports go to the C stderr stream and stay visible.
// Create one per process, on the fuzzing thread, before the first input.
#ifndef KOVI_FUZZ_SILENCED_ERROR_STREAM_H_
#define KOVI_FUZZ_SILENCED_ERROR_STREAM_H_

#include <streambuf>

namespace kovi_fuzz {

class SilencedErrorStream {
 public:
  SilencedErrorStream();
  ~SilencedErrorStream();

  SilencedErrorStream(const SilencedErrorStream&) = delete;
  SilencedErrorStream& operator=(const SilencedErrorStream&) = delete;

 private:
  // A stream buffer that accepts every character and keeps none.
  class DiscardingBuffer : public std::streambuf {
   protected:
    int_type overflow(int_type character) override;
    std::streamsize xsputn(const char_type* characters, std::streamsize count) override;
  };

  DiscardingBuffer discarding_buffer_;
  std::streambuf* original_buffer_;
};

}  // namespace kovi_fuzz

#endif  // KOVI_FUZZ_SILENCED_ERROR_STREAM_H_
