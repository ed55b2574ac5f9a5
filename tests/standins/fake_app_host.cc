#include "tests/standins/fake_app_host.h"

FakeAppHost::FakeAppHost() {
  table_.struct_size = sizeof(KoviAppHost);
  table_.engine = this;
  table_.send = [](void* engine, const char* channel, const uint8_t* data, size_t size,
                   KoviAppReplyFn reply, void* user_data) {
    FakeAppHost* self = Self(engine);
    if (!self->accepting_) {
      return false;
    }
    std::vector<uint8_t> message(data, data + (data == nullptr ? 0 : size));
    self->waiting_.push_back(Sent{channel, message, reply, user_data});
    return true;
  };
  table_.set_message_handler = [](void* engine, const char* channel, KoviAppMessageFn handler,
                                  void* user_data) {
    Self(engine)->handlers_[channel] = {handler, user_data};
  };
  table_.start_timer = [](void* engine, uint32_t, KoviAppTimerFn timer, void* user_data) {
    Self(engine)->timers_.emplace_back(timer, user_data);
  };
  table_.call_later = [](void* engine, uint32_t, KoviAppTimerFn function, void* user_data) {
    Self(engine)->delayed_.emplace_back(function, user_data);
  };
  table_.show_text = [](void* engine, const char* text) { Self(engine)->shown_text_ = text; };
  table_.engine_phase = [](void* engine) { return static_cast<int32_t>(Self(engine)->phase_); };
}

void FakeAppHost::ReplyToOldest(const std::vector<uint8_t>& reply) {
  Sent sent = waiting_.front();
  waiting_.pop_front();
  sent.reply(reply.empty() ? nullptr : reply.data(), reply.size(), sent.user_data);
}

void FakeAppHost::ReplyToOldest(const std::string& text) {
  ReplyToOldest(std::vector<uint8_t>(text.begin(), text.end()));
}

void FakeAppHost::Deliver(const std::string& channel, const std::vector<uint8_t>& message) {
  auto found = handlers_.find(channel);
  if (found != handlers_.end() && found->second.first != nullptr) {
    found->second.first(channel.c_str(), message.data(), message.size(), found->second.second);
  }
}

void FakeAppHost::FirePeriodicTimers() {
  for (const Call& timer : std::vector<Call>(timers_)) {
    timer.first(timer.second);
  }
}

void FakeAppHost::RunDelayedCalls() {
  std::vector<Call> due;
  due.swap(delayed_);
  for (const Call& call : due) {
    call.first(call.second);
  }
}
