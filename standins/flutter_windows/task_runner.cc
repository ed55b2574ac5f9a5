#include "standins/flutter_windows/task_runner.h"

#include <utility>

#include "standins/flutter_windows/module_instance.h"

namespace {

constexpr wchar_t kClassName[] = L"KOVI_STANDIN_TASK_RUNNER";
constexpr UINT kRunTaskMessage = WM_APP + 1;

}  // namespace

TaskRunner::TaskRunner() {
  if (!RegisterModuleWindowClass(kClassName, &TaskRunner::WindowProc)) {
    return;
  }
  window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            ModuleInstance(), nullptr);
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
}

TaskRunner::~TaskRunner() {
  StopTimers();
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

void TaskRunner::Post(Task task) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  PostMessageW(window_, kRunTaskMessage, 0, 0);
}

void TaskRunner::RunUntilIdle() {
  while (RunOne()) {
  }
}

void TaskRunner::StartTimer(uint32_t period_ms, Task task) {
  AddTimer(period_ms, std::move(task), true);
}

void TaskRunner::PostDelayed(uint32_t delay_ms, Task task) {
  AddTimer(delay_ms, std::move(task), false);
}

UINT_PTR TaskRunner::AddTimer(uint32_t period_ms, Task task, bool repeating) {
  UINT_PTR id = next_timer_id_++;
  timers_[id] = Timer{std::move(task), repeating};
  SetTimer(window_, id, period_ms, nullptr);
  return id;
}

void TaskRunner::StopTimers() {
  for (const auto& entry : timers_) {
    KillTimer(window_, entry.first);
  }
  timers_.clear();
}

bool TaskRunner::RunOne() {
  Task task;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (tasks_.empty()) {
      return false;
    }
    task = std::move(tasks_.front());
    tasks_.pop_front();
  }
  task();
  return true;
}

void TaskRunner::RunTimer(UINT_PTR id) {
  auto found = timers_.find(id);
  if (found == timers_.end()) {
    return;
  }
  // A copy: the task may stop the timers and so destroy the stored one.
  Task task = found->second.task;
  if (!found->second.repeating) {
    KillTimer(window_, id);
    timers_.erase(found);
  }
  task();
}

LRESULT CALLBACK TaskRunner::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* runner = reinterpret_cast<TaskRunner*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (runner != nullptr) {
    if (message == kRunTaskMessage) {
      runner->RunOne();
      return 0;
    }
    if (message == WM_TIMER) {
      runner->RunTimer(wparam);
      return 0;
    }
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}
