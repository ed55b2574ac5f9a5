// The stand-in engine's task runner: runs closures on the UI thread, one per
// posted window message, in the order they were posted, from a hidden
// message-only window that it owns. Posting is allowed from any thread; every
// other operation belongs to the UI thread that created the runner.
#ifndef KOVI_STANDINS_FLUTTER_WINDOWS_TASK_RUNNER_H_
#define KOVI_STANDINS_FLUTTER_WINDOWS_TASK_RUNNER_H_

#include <windows.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

#include "win32/owned_window.h"

class TaskRunner {
 public:
  using Task = std::function<void()>;

  TaskRunner();
  ~TaskRunner();
  TaskRunner(const TaskRunner&) = delete;
  TaskRunner& operator=(const TaskRunner&) = delete;

  // False when the hidden window could not be created.
  bool IsValid() const { return window_.get() != nullptr; }

  // Any thread: queues the task behind every task posted before it.
  void Post(Task task);
  // Runs queued tasks, including those they post, until none is left.
  void RunUntilIdle();
  // Calls the task every period until StopTimers or destruction.
  void StartTimer(uint32_t period_ms, Task task);
  // Calls the task once after the delay, unless StopTimers or destruction comes first.
  void PostDelayed(uint32_t delay_ms, Task task);
  void StopTimers();

 private:
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  // Runs the oldest queued task; false when the queue was empty.
  bool RunOne();
  void RunTimer(UINT_PTR id);

  // Declared first, so destroyed last: unbound, it hears nothing of what goes before.
  OwnedWindow window_;
  std::mutex mutex_;  // guards tasks_
  std::deque<Task> tasks_;
  struct Timer {
    Task task;
    bool repeating;
  };
  UINT_PTR AddTimer(uint32_t period_ms, Task task, bool repeating);

  std::map<UINT_PTR, Timer> timers_;
  UINT_PTR next_timer_id_ = 1;
};

#endif  // KOVI_STANDINS_FLUTTER_WINDOWS_TASK_RUNNER_H_
