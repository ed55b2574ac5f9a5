#include "encoding/error_line.h"

#include <iostream>

namespace flutter {

const char kInvalidReadLine[] = "Invalid read in StandardCodecByteStreamReader";

void WriteErrorLine(const std::string& text) {
  std::cerr << (text + "\n");
  std::cerr.flush();
}

}  // namespace flutter
