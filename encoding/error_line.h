// The fixed failure lines of the encoding layer and the one way they are
// written: the text, a line end and a flush, on the standard error stream.
// Any thread; each line is written with one stream insertion.
#ifndef KOVI_ENCODING_ERROR_LINE_H_
#define KOVI_ENCODING_ERROR_LINE_H_

#include <string>

namespace flutter {

// A read past the end of the input, or an announced size or count that cannot
// fit in what is left of it.
extern const char kInvalidReadLine[];

void WriteErrorLine(const std::string& text);

}  // namespace flutter

#endif  // KOVI_ENCODING_ERROR_LINE_H_
