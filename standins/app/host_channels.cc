#include "standins/app/host_channels.h"

#include <utility>

#include "encoding/method_call.h"
#include "encoding/standard_method_codec.h"

HostChannels::HostChannels(const KoviAppHost* host, Transcript* transcript)
    : host_(host), transcript_(transcript) {}

HostChannels::~HostChannels() {
  for (PendingReply* pending : pending_) {
    delete pending;
  }
}

bool HostChannels::Send(const std::string& channel, const std::vector<uint8_t>& message,
                        ReplyHandler on_reply) {
  transcript_->Record("app>host", channel, message.data(), message.size());
  auto* pending = new PendingReply{this, channel, std::move(on_reply)};
  if (!host_->send(host_->engine, channel.c_str(), message.empty() ? nullptr : message.data(),
                   message.size(), &HostChannels::OnReply, pending)) {
    delete pending;
    return false;
  }
  pending_.insert(pending);
  return true;
}

bool HostChannels::CallMethod(const std::string& channel, const std::string& method,
                              ReplyHandler on_reply) {
  flutter::MethodCall call(method, nullptr);
  std::unique_ptr<std::vector<uint8_t>> message =
      flutter::StandardMethodCodec::GetInstance().EncodeMethodCall(call);
  return Send(channel, *message, std::move(on_reply));
}

void HostChannels::Listen(const std::string& channel, MessageHandler on_message) {
  listeners_[channel] = std::move(on_message);
  host_->set_message_handler(host_->engine, channel.c_str(), &HostChannels::OnMessage, this);
}

void HostChannels::OnReply(const uint8_t* data, size_t size, void* user_data) {
  std::unique_ptr<PendingReply> pending(static_cast<PendingReply*>(user_data));
  pending->owner->pending_.erase(pending.get());
  pending->owner->transcript_->Record("reply", pending->channel, data, size);
  std::vector<uint8_t> reply(data, data + (data == nullptr ? 0 : size));
  if (pending->handler) {
    pending->handler(reply);
  }
}

void HostChannels::OnMessage(const char* channel, const uint8_t* data, size_t size,
                             void* user_data) {
  auto* self = static_cast<HostChannels*>(user_data);
  self->transcript_->Record("host>app", channel, data, size);
  auto found = self->listeners_.find(channel);
  if (found != self->listeners_.end()) {
    found->second(std::vector<uint8_t>(data, data + (data == nullptr ? 0 : size)));
  }
}
