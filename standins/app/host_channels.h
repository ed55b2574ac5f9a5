// The meter's side of the channels: sends messages to the host through the
// engine's table (standins/app_api.h), receives the host's messages, and
// records both in the transcript. Each reply handler is called at most once,
// on the UI thread; those still waiting when the engine shuts down are dropped
// with this object.
#ifndef KOVI_STANDINS_APP_HOST_CHANNELS_H_
#define KOVI_STANDINS_APP_HOST_CHANNELS_H_

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "standins/app/transcript.h"
#include "standins/app_api.h"

class HostChannels {
 public:
  // The reply bytes; empty for an empty reply.
  using ReplyHandler = std::function<void(const std::vector<uint8_t>& reply)>;
  using MessageHandler = std::function<void(const std::vector<uint8_t>& message)>;

  HostChannels(const KoviAppHost* host, Transcript* transcript);
  ~HostChannels();
  HostChannels(const HostChannels&) = delete;
  HostChannels& operator=(const HostChannels&) = delete;

  // False when the engine refused the message (it is shutting down).
  bool Send(const std::string& channel, const std::vector<uint8_t>& message, ReplyHandler on_reply);
  // A method call in the standard method codec, with null arguments.
  bool CallMethod(const std::string& channel, const std::string& method, ReplyHandler on_reply);
  void Listen(const std::string& channel, MessageHandler on_message);

 private:
  struct PendingReply {
    HostChannels* owner;
    std::string channel;
    ReplyHandler handler;
  };

  static void OnReply(const uint8_t* data, size_t size, void* user_data);
  static void OnMessage(const char* channel, const uint8_t* data, size_t size, void* user_data);

  const KoviAppHost* host_;
  Transcript* transcript_;
  std::set<PendingReply*> pending_;
  std::map<std::string, MessageHandler> listeners_;
};

#endif  // KOVI_STANDINS_APP_HOST_CHANNELS_H_
