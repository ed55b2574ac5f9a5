// The portable half of the recording fake: the log, the test's controls and the
// engine and messenger functions of flutter_desktop.h.
#include "tests/support/fake_embedding.h"

#include <algorithm>
#include <utility>

#include "tests/support/fake_embedding_state.h"

namespace fake_embedding {
namespace internal {

std::mutex& Mutex() {
  static std::mutex mutex;
  return mutex;
}

State& UnguardedState() {
  static State state;
  return state;
}

void Record(Call call) {
  WithState([&](State& state) { state.calls.push_back(std::move(call)); });
}

void EndEngine(State& state) {
  state.available = false;
  state.channels.clear();
  state.next_frame = nullptr;
  state.next_frame_user_data = nullptr;
}

Call MakeCall(const char* function, const void* target) {
  Call call;
  call.function = function;
  call.target = target;
  return call;
}

void SetName(Call& call, const char* name) {
  call.name_null = name == nullptr;
  call.name = name ? name : "";
}

void SetData(Call& call, const uint8_t* data, size_t size) {
  call.data_null = data == nullptr;
  call.size = size;
  if (data) {
    call.data.assign(data, data + size);
  }
}

namespace {

FlutterDesktopPluginRegistrarRef RegistrarFor(State& state, const std::string& plugin_name) {
  auto found = state.registrars.find(plugin_name);
  if (found == state.registrars.end()) {
    const uintptr_t token = kRegistrarTokenBase + 0x10 * state.registrars.size();
    found = state.registrars.emplace(plugin_name, token).first;
  }
  return FromToken<FlutterDesktopPluginRegistrarRef>(found->second);
}

EngineProperties CaptureProperties(const FlutterDesktopEngineProperties* record) {
  EngineProperties seen;
  seen.record_null = record == nullptr;
  if (!record) {
    return seen;
  }
  auto wide = [](const wchar_t* text) { return text ? std::wstring(text) : std::wstring(); };
  seen.assets_path = wide(record->assets_path);
  seen.icu_data_path = wide(record->icu_data_path);
  seen.aot_library_path = wide(record->aot_library_path);
  seen.dart_entrypoint = record->dart_entrypoint ? record->dart_entrypoint : "";
  seen.assets_path_pointer = record->assets_path;
  seen.icu_data_path_pointer = record->icu_data_path;
  seen.aot_library_path_pointer = record->aot_library_path;
  seen.dart_entrypoint_pointer = record->dart_entrypoint;
  seen.dart_entrypoint_argc = record->dart_entrypoint_argc;
  seen.reserved = record->reserved;
  seen.argv_null = record->dart_entrypoint_argv == nullptr;
  for (int32_t i = 0; record->dart_entrypoint_argv && i < record->dart_entrypoint_argc; ++i) {
    const char* argument = record->dart_entrypoint_argv[i];
    seen.argv_pointers.push_back(argument);
    seen.argv.push_back(argument ? argument : "");
  }
  seen.engine_option_1 = record->engine_option_1;
  seen.engine_option_2 = record->engine_option_2;
  return seen;
}

// Calls the next-frame callback and user data that `choose` takes from the
// state, with the mutex released; false when it chose none.
template <typename Choose>
bool CallFrameCallback(Choose choose) {
  const std::pair<FlutterDesktopVoidCallback, void*> chosen = WithState(choose);
  if (!chosen.first) {
    return false;
  }
  chosen.first(chosen.second);
  return true;
}

}  // namespace
}  // namespace internal

using internal::State;
using internal::WithState;

void Reset() {
  WithState([](State& state) { state = State(); });
}

std::vector<Call> Calls(size_t from) {
  return WithState([&](State& state) {
    return std::vector<Call>(state.calls.begin() + static_cast<std::ptrdiff_t>(from),
                             state.calls.end());
  });
}

std::vector<std::string> CallNames(size_t from) {
  std::vector<std::string> names;
  for (const Call& call : Calls(from)) {
    names.push_back(call.function);
  }
  return names;
}

std::vector<Call> CallsTo(const std::string& function) {
  std::vector<Call> calls = Calls();
  calls.erase(std::remove_if(calls.begin(), calls.end(),
                             [&](const Call& call) { return call.function != function; }),
              calls.end());
  return calls;
}

size_t CountCalls(const std::string& function) {
  return CallsTo(function).size();
}

void Note(const std::string& label, const void* handle) {
  Call call;
  call.function = label;
  call.handle = handle;
  internal::Record(std::move(call));
}

FlutterDesktopEngineRef EngineHandle() {
  return internal::FromToken<FlutterDesktopEngineRef>(internal::kEngineToken);
}

FlutterDesktopMessengerRef MessengerHandle() {
  return internal::FromToken<FlutterDesktopMessengerRef>(internal::kMessengerToken);
}

FlutterDesktopPluginRegistrarRef RegistrarFor(const std::string& plugin_name) {
  return WithState([&](State& state) { return internal::RegistrarFor(state, plugin_name); });
}

void SetEngineCreateFails(bool fails) {
  WithState([&](State& state) { return state.engine_create_fails = fails; });
}

std::optional<EngineProperties> LastEngineProperties() {
  return WithState([](State& state) { return state.properties; });
}

bool RunNextFrameCallback() {
  return internal::CallFrameCallback([](State& state) {
    return std::make_pair(std::exchange(state.next_frame, nullptr),
                          std::exchange(state.next_frame_user_data, nullptr));
  });
}

bool RepeatLastNextFrameCallback() {
  return internal::CallFrameCallback([](State& state) {
    return std::make_pair(state.last_next_frame, state.last_next_frame_user_data);
  });
}

bool HasChannelCallback(const std::string& channel) {
  return WithState([&](State& state) { return state.channels.count(channel) > 0; });
}

void* ChannelUserData(const std::string& channel) {
  return WithState([&](State& state) -> void* {
    auto found = state.channels.find(channel);
    return found == state.channels.end() ? nullptr : found->second.user_data;
  });
}

const FlutterDesktopMessageResponseHandle* DeliverMessage(const std::string& channel,
                                                          const uint8_t* message, size_t size) {
  internal::ChannelCallback target;
  const FlutterDesktopMessageResponseHandle* response = nullptr;
  WithState([&](State& state) {
    auto found = state.channels.find(channel);
    if (found != state.channels.end()) {
      target = found->second;
      response = internal::FromToken<const FlutterDesktopMessageResponseHandle*>(
          internal::kResponseTokenBase + 0x10 * ++state.responses_made);
    }
  });
  if (!target.callback) {
    return nullptr;
  }
  const FlutterDesktopMessage record = {sizeof(FlutterDesktopMessage), channel.c_str(), message,
                                        size, response};
  target.callback(MessengerHandle(), &record, target.user_data);
  return response;
}

const FlutterDesktopMessageResponseHandle* DeliverMessage(const std::string& channel,
                                                          const std::vector<uint8_t>& message) {
  return DeliverMessage(channel, message.data(), message.size());
}

std::vector<Call> ResponsesTo(const FlutterDesktopMessageResponseHandle* handle) {
  std::vector<Call> responses = CallsTo("FlutterDesktopMessengerSendResponse");
  responses.erase(std::remove_if(responses.begin(), responses.end(),
                                 [&](const Call& call) { return call.handle != handle; }),
                  responses.end());
  return responses;
}

void SetSendWithReplyRefused(bool refused) {
  WithState([&](State& state) { return state.send_with_reply_refused = refused; });
}

size_t PendingReplyCount() {
  return WithState([](State& state) { return state.pending_replies.size(); });
}

bool AnswerOldestReply(const std::optional<std::vector<uint8_t>>& reply) {
  internal::PendingReply oldest;
  WithState([&](State& state) {
    if (!state.pending_replies.empty()) {
      oldest = state.pending_replies.front();
      state.pending_replies.pop_front();
    }
  });
  if (!oldest.reply) {
    return false;
  }
  oldest.reply(reply ? reply->data() : nullptr, reply ? reply->size() : 0, oldest.user_data);
  return true;
}

void SetMessengerAvailable(bool available) {
  WithState([&](State& state) { return state.available = available; });
}

void SetLockReturnsNull(bool returns_null) {
  WithState([&](State& state) { return state.lock_returns_null = returns_null; });
}

int MessengerReferences() {
  return WithState([](State& state) { return state.references; });
}

int LocksHeld() {
  return WithState([](State& state) { return state.locks; });
}

}  // namespace fake_embedding

using fake_embedding::Call;
using fake_embedding::internal::MakeCall;
using fake_embedding::internal::Record;
using fake_embedding::internal::SetData;
using fake_embedding::internal::SetName;
using fake_embedding::internal::State;
using fake_embedding::internal::WithState;

extern "C" {

FlutterDesktopEngineRef FlutterDesktopEngineCreate(
    const FlutterDesktopEngineProperties* engine_properties) {
  Record(MakeCall("FlutterDesktopEngineCreate", engine_properties));
  return WithState([&](State& state) {
    state.properties = fake_embedding::internal::CaptureProperties(engine_properties);
    return state.engine_create_fails ? nullptr : fake_embedding::EngineHandle();
  });
}

bool FlutterDesktopEngineDestroy(FlutterDesktopEngineRef engine) {
  Record(MakeCall("FlutterDesktopEngineDestroy", engine));
  WithState([](State& state) { fake_embedding::internal::EndEngine(state); });
  return true;
}

FlutterDesktopMessengerRef FlutterDesktopEngineGetMessenger(FlutterDesktopEngineRef engine) {
  Record(MakeCall("FlutterDesktopEngineGetMessenger", engine));
  return fake_embedding::MessengerHandle();
}

FlutterDesktopPluginRegistrarRef FlutterDesktopEngineGetPluginRegistrar(
    FlutterDesktopEngineRef engine, const char* plugin_name) {
  Call call = MakeCall("FlutterDesktopEngineGetPluginRegistrar", engine);
  SetName(call, plugin_name);
  const std::string name = call.name;
  Record(std::move(call));
  return fake_embedding::RegistrarFor(name);
}

void FlutterDesktopEngineReloadSystemFonts(FlutterDesktopEngineRef engine) {
  Record(MakeCall("FlutterDesktopEngineReloadSystemFonts", engine));
}

void FlutterDesktopEngineSetNextFrameCallback(FlutterDesktopEngineRef engine,
                                              FlutterDesktopVoidCallback callback,
                                              void* user_data) {
  Call call = MakeCall("FlutterDesktopEngineSetNextFrameCallback", engine);
  call.callback_set = callback != nullptr;
  call.user_data = user_data;
  Record(std::move(call));
  WithState([&](State& state) {
    state.next_frame = state.last_next_frame = callback;
    state.next_frame_user_data = state.last_next_frame_user_data = user_data;
  });
}

void FlutterDesktopMessengerSetCallback(FlutterDesktopMessengerRef messenger, const char* channel,
                                        FlutterDesktopMessageCallback callback, void* user_data) {
  Call call = MakeCall("FlutterDesktopMessengerSetCallback", messenger);
  SetName(call, channel);
  call.callback_set = callback != nullptr;
  call.user_data = user_data;
  const std::string name = call.name;
  Record(std::move(call));
  WithState([&](State& state) {
    if (callback) {
      state.channels[name] = {callback, user_data};
    } else {
      state.channels.erase(name);
    }
  });
}

bool FlutterDesktopMessengerSend(FlutterDesktopMessengerRef messenger, const char* channel,
                                 const uint8_t* message, size_t message_size) {
  Call call = MakeCall("FlutterDesktopMessengerSend", messenger);
  SetName(call, channel);
  SetData(call, message, message_size);
  Record(std::move(call));
  return WithState([](State& state) { return state.available; });
}

bool FlutterDesktopMessengerSendWithReply(FlutterDesktopMessengerRef messenger, const char* channel,
                                          const uint8_t* message, size_t message_size,
                                          FlutterDesktopBinaryReply reply, void* user_data) {
  Call call = MakeCall("FlutterDesktopMessengerSendWithReply", messenger);
  SetName(call, channel);
  SetData(call, message, message_size);
  call.callback_set = reply != nullptr;
  call.user_data = user_data;
  Record(std::move(call));
  return WithState([&](State& state) {
    if (state.send_with_reply_refused || !reply) {
      return false;
    }
    state.pending_replies.push_back({reply, user_data});
    return true;
  });
}

void FlutterDesktopMessengerSendResponse(FlutterDesktopMessengerRef messenger,
                                         const FlutterDesktopMessageResponseHandle* handle,
                                         const uint8_t* data, size_t data_length) {
  Call call = MakeCall("FlutterDesktopMessengerSendResponse", messenger);
  call.handle = handle;
  SetData(call, data, data_length);
  Record(std::move(call));
}

FlutterDesktopMessengerRef FlutterDesktopMessengerAddRef(FlutterDesktopMessengerRef messenger) {
  Record(MakeCall("FlutterDesktopMessengerAddRef", messenger));
  WithState([](State& state) { return ++state.references; });
  return messenger;
}

void FlutterDesktopMessengerRelease(FlutterDesktopMessengerRef messenger) {
  Record(MakeCall("FlutterDesktopMessengerRelease", messenger));
  WithState([](State& state) { return --state.references; });
}

bool FlutterDesktopMessengerIsAvailable(FlutterDesktopMessengerRef messenger) {
  Record(MakeCall("FlutterDesktopMessengerIsAvailable", messenger));
  return WithState([](State& state) { return state.available; });
}

FlutterDesktopMessengerRef FlutterDesktopMessengerLock(FlutterDesktopMessengerRef messenger) {
  Record(MakeCall("FlutterDesktopMessengerLock", messenger));
  return WithState([&](State& state) -> FlutterDesktopMessengerRef {
    if (state.lock_returns_null) {
      return nullptr;
    }
    ++state.locks;
    return messenger;
  });
}

void FlutterDesktopMessengerUnlock(FlutterDesktopMessengerRef messenger) {
  Record(MakeCall("FlutterDesktopMessengerUnlock", messenger));
  WithState([](State& state) { return --state.locks; });
}

}  // extern "C"
