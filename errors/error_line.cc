#include "errors/error_line.h"

#include <iostream>

namespace flutter {

const char kInvalidReadLine[] = "Invalid read in StandardCodecByteStreamReader";

void WriteErrorLine(const std::string& text, LineEnd end) {
  std::cerr << (end == LineEnd::kEnded ? text + "\n" : text);
  std::cerr.flush();
}

}  // namespace flutter
