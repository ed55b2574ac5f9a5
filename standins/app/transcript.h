// The record of every channel message the meter sends and receives, one line
// each: milliseconds since the start, direction, channel, byte count and the
// bytes in hex. Directions: "app>host" (a message the meter sends), "host>app"
// (a message the host sends), "reply" (the host's answer to a message of the
// meter; "-" for an empty reply). Written as it happens, so a run that ends
// abnormally still leaves what it saw. Without a path nothing is written.
#ifndef KOVI_STANDINS_APP_TRANSCRIPT_H_
#define KOVI_STANDINS_APP_TRANSCRIPT_H_

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

class Transcript {
 public:
  explicit Transcript(const std::string& path);
  ~Transcript();
  Transcript(const Transcript&) = delete;
  Transcript& operator=(const Transcript&) = delete;

  void Record(const char* direction, const std::string& channel, const uint8_t* data, size_t size);

 private:
  std::FILE* file_ = nullptr;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

#endif  // KOVI_STANDINS_APP_TRANSCRIPT_H_
