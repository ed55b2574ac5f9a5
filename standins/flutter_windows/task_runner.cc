#include "standins/flutter_windows/task_runner.h"

#include <utility>

#include "standins/flutter_windows/module_instance.h"

namespace {

constexpr wchar_t kClassName[] = L"KOVI_STANDIN_TASK_RUNNER";
constexpr UINT kRunTaskMessage = WM_APP + 1;

}  // namespace

TaskRunner::TaskRunner() {
  if (!OwnedWindow::RegisterBoundClass(ModuleInstance(), kClassName)) {
    return;
  }
  WindowCreation creation;
  creation.class_name = kClassName;
  creation.parent = HWND_MESSAGE;
  creation.instance = ModuleInstance();
  window_.Create(creation, [this](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    return HandleMessage(hwnd, message, wparam, lparam);
  });
}

TaskRunner::~TaskRunner() {
  StopTimers();
}

void TaskRunner::Post(Task task) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  PostMessageW(window_.get(), kRunTaskMessage, 0, 0);
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
  SetTimer(window_.get(), id, period_ms, nullptr);
  return id;
}

void TaskRunner::StopTimers() {
  for (const auto& entry : timers_) {
    KillTimer(window_.get(), entry.first);
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
    KillTimer(window_.get(), id);
    timers_.erase(found);
  }
  task();
}

LRESULT TaskRunner::HandleMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case kRunTaskMessage:
      RunOne();
      return 0;
    case WM_TIMER:
      RunTimer(wparam);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}
