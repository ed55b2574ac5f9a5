// Counts the raw pointer motion events (XInput2 RawMotion) that the X server
// delivers to an X client, on a connection and thread of its own: what every
// client, Wine's X11 driver included, could receive of the synthetic motion.
#ifndef KOVI_TOOLS_SYNTHETIC_MOUSE_RAW_MOTION_COUNTER_H_
#define KOVI_TOOLS_SYNTHETIC_MOUSE_RAW_MOTION_COUNTER_H_

#include <atomic>
#include <cstdint>
#include <thread>

class RawMotionCounter {
 public:
  RawMotionCounter() = default;
  ~RawMotionCounter();
  RawMotionCounter(const RawMotionCounter&) = delete;
  RawMotionCounter& operator=(const RawMotionCounter&) = delete;

  // Connects and selects the events; false when the display or XInput2 is
  // unavailable. Counting has begun when it returns true.
  bool Start(const char* display_name);
  // Waits until no event has arrived for `quiet_ms`, stops and returns the count.
  uint64_t Finish(int quiet_ms);

 private:
  void Run();

  struct _XDisplay* display_ = nullptr;
  int xi_opcode_ = 0;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<uint64_t> count_{0};
};

#endif  // KOVI_TOOLS_SYNTHETIC_MOUSE_RAW_MOTION_COUNTER_H_
