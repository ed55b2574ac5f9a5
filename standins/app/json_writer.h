// Builds JSON text for the meter's summary: objects, arrays, keys and scalar
// values, with commas and string escapes handled. Strings are taken as UTF-8
// and passed through, control characters escaped.
#ifndef KOVI_STANDINS_APP_JSON_WRITER_H_
#define KOVI_STANDINS_APP_JSON_WRITER_H_

#include <cstdint>
#include <string>
#include <vector>

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(const std::string& key);
  JsonWriter& String(const std::string& value);
  JsonWriter& Integer(int64_t value);
  JsonWriter& Number(double value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  const std::string& text() const { return text_; }

 private:
  void BeforeValue();
  void Open(char bracket);
  void Close(char bracket);

  std::string text_;
  // Per open container: whether it holds no element yet.
  std::vector<bool> empty_;
  bool after_key_ = false;
};

#endif  // KOVI_STANDINS_APP_JSON_WRITER_H_
