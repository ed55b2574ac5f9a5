// Moved to tests/support/stderr_capture.h; this name is kept only for the
// channel fuzzer until it includes the new one.
#ifndef KOVI_TESTS_FAKES_STDERR_CAPTURE_H_
#define KOVI_TESTS_FAKES_STDERR_CAPTURE_H_

#include "tests/support/stderr_capture.h"

#endif  // KOVI_TESTS_FAKES_STDERR_CAPTURE_H_
