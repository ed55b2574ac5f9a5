// StderrCapture: collects what the code under test writes to std::cerr while the
// object lives, so a test can compare the failure lines byte for byte. Test
// thread only; nest no two captures.
#ifndef KOVI_TESTS_FAKES_STDERR_CAPTURE_H_
#define KOVI_TESTS_FAKES_STDERR_CAPTURE_H_

#include <iostream>
#include <sstream>
#include <string>

class StderrCapture {
 public:
  StderrCapture() : previous_(std::cerr.rdbuf(text_.rdbuf())) {}
  ~StderrCapture() { std::cerr.rdbuf(previous_); }

  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;

  // Everything written so far.
  std::string Text() const { return text_.str(); }

 private:
  std::ostringstream text_;
  std::streambuf* previous_;
};

#endif  // KOVI_TESTS_FAKES_STDERR_CAPTURE_H_
