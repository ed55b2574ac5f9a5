#include "standins/flutter_windows/standin_messenger.h"

StandinMessenger::StandinMessenger(StandinEngine* engine) : engine_(engine) {}

StandinMessenger* StandinMessenger::AddRef() {
  references_.fetch_add(1);
  return this;
}

void StandinMessenger::Release() {
  if (references_.fetch_sub(1) == 1) {
    delete this;
  }
}

StandinEngine* StandinMessenger::engine() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  return engine_;
}

void StandinMessenger::DetachEngine() {
  std::lock_guard<std::recursive_mutex> lock(mutex_);
  engine_ = nullptr;
}
