#include "encoding/byte_buffer_stream_reader.h"

#include "errors/error_line.h"

namespace flutter {

ByteBufferStreamReader::~ByteBufferStreamReader() = default;

void ByteBufferStreamReader::ReportInvalidRead() {
  WriteErrorLine(kInvalidReadLine);
}

}  // namespace flutter
