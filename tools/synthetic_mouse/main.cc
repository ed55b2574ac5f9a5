// synthetic_mouse: sends XTest relative pointer motion at a fixed rate, the
// stand-in for a real high-rate mouse on an X display (the DISPLAY variable).
//
//   synthetic_mouse --rate HZ --seconds S [--at X,Y] [--step PIXELS] [--count-raw]
//
// --at first moves the pointer to X,Y (over the window that should receive the
// motion; without a window manager the pointer decides). The motions alternate
// --step pixels (default 1) right and left, so the pointer stays where it is. Each
// motion is flushed on its own at its scheduled time. Prints
// "synthetic_mouse: sent N motions in T s" and, with --count-raw, how many
// raw motion events the X server delivered to a client of its own.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/synthetic_mouse/raw_motion_counter.h"

namespace {

struct Options {
  long rate = 1000;
  double seconds = 1;
  bool move_first = false;
  int x = 0;
  int y = 0;
  bool count_raw = false;
  int step = 1;
};

bool ParseOptions(int argc, char** argv, Options* options) {
  for (int i = 1; i < argc; ++i) {
    std::string name = argv[i];
    bool has_value = i + 1 < argc;
    if (name == "--rate" && has_value) {
      options->rate = std::strtol(argv[++i], nullptr, 10);
    } else if (name == "--seconds" && has_value) {
      options->seconds = std::strtod(argv[++i], nullptr);
    } else if (name == "--at" && has_value) {
      options->move_first = std::sscanf(argv[++i], "%d,%d", &options->x, &options->y) == 2;
      if (!options->move_first) {
        return false;
      }
    } else if (name == "--step" && has_value) {
      options->step = std::atoi(argv[++i]);
    } else if (name == "--count-raw") {
      options->count_raw = true;
    } else {
      return false;
    }
  }
  return options->rate > 0 && options->rate <= 100000 && options->seconds > 0 && options->step > 0;
}

void AddNanoseconds(timespec* time, long nanoseconds) {
  time->tv_nsec += nanoseconds;
  while (time->tv_nsec >= 1000000000L) {
    time->tv_nsec -= 1000000000L;
    ++time->tv_sec;
  }
}

double SecondsBetween(const timespec& start, const timespec& end) {
  return static_cast<double>(end.tv_sec - start.tv_sec) +
         static_cast<double>(end.tv_nsec - start.tv_nsec) / 1e9;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    std::fprintf(stderr,
                 "usage: synthetic_mouse --rate HZ --seconds S [--at X,Y] [--step PIXELS] "
                 "[--count-raw]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  int event_base = 0, error_base = 0, major = 0, minor = 0;
  if (display == nullptr ||
      !XTestQueryExtension(display, &event_base, &error_base, &major, &minor)) {
    std::fprintf(stderr, "synthetic_mouse: no X display with the XTest extension\n");
    return 1;
  }
  if (options.move_first) {
    XTestFakeMotionEvent(display, -1, options.x, options.y, CurrentTime);
    XSync(display, False);
  }
  RawMotionCounter counter;
  if (options.count_raw && !counter.Start(nullptr)) {
    std::fprintf(stderr, "synthetic_mouse: XInput2 raw motion is unavailable\n");
    return 1;
  }
  const long total = static_cast<long>(static_cast<double>(options.rate) * options.seconds);
  const long period_ns = 1000000000L / options.rate;
  timespec start{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  timespec next = start;
  for (long i = 0; i < total; ++i) {
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
    XTestFakeRelativeMotionEvent(display, (i % 2 == 0) ? options.step : -options.step, 0,
                                 CurrentTime);
    XFlush(display);
    AddNanoseconds(&next, period_ns);
  }
  XSync(display, False);
  timespec end{};
  clock_gettime(CLOCK_MONOTONIC, &end);
  std::printf("synthetic_mouse: sent %ld motions in %.3f s\n", total, SecondsBetween(start, end));
  if (options.count_raw) {
    std::printf("synthetic_mouse: X raw motion events seen %llu\n",
                static_cast<unsigned long long>(counter.Finish(300)));
  }
  std::fflush(stdout);
  XCloseDisplay(display);
  return 0;
}
