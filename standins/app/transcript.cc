#include "standins/app/transcript.h"

#include "standins/app/hex.h"

Transcript::Transcript(const std::string& path) {
  if (!path.empty()) {
    file_ = std::fopen(path.c_str(), "w");
  }
}

Transcript::~Transcript() {
  if (file_ != nullptr) {
    std::fclose(file_);
  }
}

void Transcript::Record(const char* direction, const std::string& channel, const uint8_t* data,
                        size_t size) {
  if (file_ == nullptr) {
    return;
  }
  auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start_);
  std::string bytes = data == nullptr ? std::string("-") : ToHex(data, size);
  std::fprintf(file_, "%lld %s %s %zu %s\n", static_cast<long long>(elapsed.count()), direction,
               channel.c_str(), size, bytes.c_str());
  std::fflush(file_);
}
