#include "tools/synthetic_mouse/raw_motion_counter.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <poll.h>

#include <chrono>

RawMotionCounter::~RawMotionCounter() {
  stop_ = true;
  if (thread_.joinable()) {
    thread_.join();
  }
  if (display_ != nullptr) {
    XCloseDisplay(display_);
  }
}

bool RawMotionCounter::Start(const char* display_name) {
  display_ = XOpenDisplay(display_name);
  if (display_ == nullptr) {
    return false;
  }
  int event = 0;
  int error = 0;
  if (!XQueryExtension(display_, "XInputExtension", &xi_opcode_, &event, &error)) {
    return false;
  }
  int major = 2;
  int minor = 0;
  if (XIQueryVersion(display_, &major, &minor) != Success) {
    return false;
  }
  unsigned char mask_bits[XIMaskLen(XI_LASTEVENT)] = {};
  XISetMask(mask_bits, XI_RawMotion);
  XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof(mask_bits)), mask_bits};
  XISelectEvents(display_, DefaultRootWindow(display_), &mask, 1);
  XSync(display_, False);
  thread_ = std::thread([this] { Run(); });
  return true;
}

void RawMotionCounter::Run() {
  pollfd descriptor{ConnectionNumber(display_), POLLIN, 0};
  while (!stop_) {
    while (XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.xcookie.type == GenericEvent && event.xcookie.extension == xi_opcode_ &&
          event.xcookie.evtype == XI_RawMotion) {
        ++count_;
      }
    }
    poll(&descriptor, 1, 20);
  }
}

uint64_t RawMotionCounter::Finish(int quiet_ms) {
  uint64_t seen = count_;
  auto quiet_since = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - quiet_since < std::chrono::milliseconds(quiet_ms)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (count_ != seen) {
      seen = count_;
      quiet_since = std::chrono::steady_clock::now();
    }
  }
  stop_ = true;
  thread_.join();
  return count_;
}
