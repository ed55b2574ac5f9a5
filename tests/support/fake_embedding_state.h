// The recording fake's shared state, used by its portable and Windows halves.
// Every access holds the fake's mutex; callbacks into the host are called with
// the mutex released.
#ifndef KOVI_TESTS_SUPPORT_FAKE_EMBEDDING_STATE_H_
#define KOVI_TESTS_SUPPORT_FAKE_EMBEDDING_STATE_H_

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/fake_embedding.h"

namespace fake_embedding {
namespace internal {

// Handle tokens: distinct, aligned, never dereferenced.
constexpr uintptr_t kEngineToken = 0xE1000;
constexpr uintptr_t kMessengerToken = 0xE2000;
constexpr uintptr_t kControllerToken = 0xE3000;
constexpr uintptr_t kViewToken = 0xE4000;
constexpr uintptr_t kViewHwndToken = 0xE5000;
constexpr uintptr_t kRegistrarTokenBase = 0xA0000;
constexpr uintptr_t kResponseTokenBase = 0x70000;

template <typename Handle>
Handle FromToken(uintptr_t token) {
  return reinterpret_cast<Handle>(token);
}

struct PendingReply {
  FlutterDesktopBinaryReply reply = nullptr;
  void* user_data = nullptr;
};

struct ChannelCallback {
  FlutterDesktopMessageCallback callback = nullptr;
  void* user_data = nullptr;
};

struct State {
  std::vector<Call> calls;
  std::map<std::string, uintptr_t> registrars;

  bool engine_create_fails = false;
  std::optional<EngineProperties> properties;
  FlutterDesktopVoidCallback next_frame = nullptr;
  void* next_frame_user_data = nullptr;
  FlutterDesktopVoidCallback last_next_frame = nullptr;
  void* last_next_frame_user_data = nullptr;

  std::map<std::string, ChannelCallback> channels;
  uintptr_t responses_made = 0;
  bool send_with_reply_refused = false;
  std::deque<PendingReply> pending_replies;
  bool available = true;
  bool lock_returns_null = false;
  int references = 0;
  int locks = 0;

  bool view_controller_fails = false;
  uintptr_t view_hwnd = kViewHwndToken;
  std::optional<int64_t> window_proc_answer;
  uint32_t monitor_dpi = 96;
};

// Runs the function with the state under the fake's mutex and returns its result.
std::mutex& Mutex();
State& UnguardedState();
template <typename Function>
auto WithState(Function function) {
  std::lock_guard<std::mutex> lock(Mutex());
  return function(UnguardedState());
}

// Builds a log entry; the name and byte helpers copy what the pointers show.
Call MakeCall(const char* function, const void* target);
void SetName(Call& call, const char* name);
void SetData(Call& call, const uint8_t* data, size_t size);
void Record(Call call);
// The library's engine has gone: no more messages, replies or frames.
void EndEngine(State& state);

}  // namespace internal
}  // namespace fake_embedding

#endif  // KOVI_TESTS_SUPPORT_FAKE_EMBEDDING_STATE_H_
