// WriteErrorLine: the one way the layers (encoding, embedding, channels) write
// their fixed failure lines on the standard error stream: the text, a line end
// unless the line is left open, and a flush. Also the encoding layer's read
// failure line, which several of its readers share.
// Any thread; each line is written with one stream insertion.
#ifndef KOVI_ERRORS_ERROR_LINE_H_
#define KOVI_ERRORS_ERROR_LINE_H_

#include <string>

namespace flutter {

// A read past the end of the input, or an announced size or count that cannot
// fit in what is left of it.
extern const char kInvalidReadLine[];

// How a failure line ends. One is left open: the event channel's report of a
// stream that failed to cancel.
enum class LineEnd { kEnded, kLeftOpen };

void WriteErrorLine(const std::string& text, LineEnd end = LineEnd::kEnded);

}  // namespace flutter

#endif  // KOVI_ERRORS_ERROR_LINE_H_
