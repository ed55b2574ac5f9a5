#include "encoding/byte_buffer_stream_writer.h"

namespace flutter {

ByteBufferStreamWriter::~ByteBufferStreamWriter() = default;

}  // namespace flutter
