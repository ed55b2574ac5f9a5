// EventSink: the sending end of one event stream. A stream handler receives one
// from the event channel on each "listen" and keeps it for as long as it wants to
// send events; each public operation forwards to its virtual counterpart. The
// holder owns the sink; UI thread only.
#ifndef KOVI_CHANNELS_EVENT_SINK_H_
#define KOVI_CHANNELS_EVENT_SINK_H_

#include <string>

#include "encoding/encodable_value.h"

namespace flutter {

class EventSink {
 public:
  EventSink() = default;
  virtual ~EventSink();

  EventSink(const EventSink&) = delete;
  EventSink& operator=(const EventSink&) = delete;

  // Sends an event carrying no value.
  void Success();
  // Sends one event value.
  void Success(const EncodableValue& event);
  // Sends an error event; the details may be absent.
  void Error(const std::string& error_code, const std::string& error_message = "",
             const EncodableValue* error_details = nullptr);
  void Error(const std::string& error_code, const std::string& error_message,
             const EncodableValue& error_details);
  // Tells the listener that no more events follow.
  void EndOfStream();

 protected:
  virtual void SuccessInternal(const EncodableValue* event) = 0;
  virtual void ErrorInternal(const std::string& error_code, const std::string& error_message,
                             const EncodableValue* error_details) = 0;
  virtual void EndOfStreamInternal() = 0;
};

}  // namespace flutter

#endif  // KOVI_CHANNELS_EVENT_SINK_H_
