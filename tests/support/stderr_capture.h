// StderrCapture: collects what the code under test writes to std::cerr while the
// object lives, so a test can compare the failure lines byte for byte. Test
// thread only; nest no two captures.
#ifndef KOVI_TESTS_SUPPORT_STDERR_CAPTURE_H_
#define KOVI_TESTS_SUPPORT_STDERR_CAPTURE_H_

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

class StderrCapture {
 public:
  StderrCapture() : previous_(std::cerr.rdbuf(text_.rdbuf())) {}
  ~StderrCapture() { std::cerr.rdbuf(previous_); }

  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;

  // Everything written so far.
  std::string Text() const { return text_.str(); }

  // The text split at line ends; a final fragment without a line end is kept
  // as a line of its own, marked, so that it shows up in comparisons.
  std::vector<std::string> Lines() const {
    std::istringstream text(Text());
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) {
      lines.push_back(text.eof() ? line + "<no line end>" : line);
    }
    return lines;
  }

 private:
  std::ostringstream text_;
  std::streambuf* previous_;
};

#endif  // KOVI_TESTS_SUPPORT_STDERR_CAPTURE_H_
