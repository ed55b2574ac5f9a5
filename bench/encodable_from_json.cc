#include "bench/encodable_from_json.h"

#include <cstdint>
#include <limits>
#include <string>

namespace kovi_bench {

namespace {

flutter::EncodableValue IntegerFromJson(const nlohmann::json& json) {
  const int64_t integer = json.get<int64_t>();
  if (integer >= std::numeric_limits<int32_t>::min() &&
      integer <= std::numeric_limits<int32_t>::max()) {
    return flutter::EncodableValue(static_cast<int32_t>(integer));
  }
  return flutter::EncodableValue(integer);
}

}  // namespace

flutter::EncodableValue EncodableFromJson(const nlohmann::json& json) {
  switch (json.type()) {
    case nlohmann::json::value_t::boolean:
      return flutter::EncodableValue(json.get<bool>());
    case nlohmann::json::value_t::number_integer:
    case nlohmann::json::value_t::number_unsigned:
      return IntegerFromJson(json);
    case nlohmann::json::value_t::number_float:
      return flutter::EncodableValue(json.get<double>());
    case nlohmann::json::value_t::string:
      return flutter::EncodableValue(json.get<std::string>());
    case nlohmann::json::value_t::array: {
      flutter::EncodableList list;
      list.reserve(json.size());
      for (const nlohmann::json& element : json) {
        list.push_back(EncodableFromJson(element));
      }
      return flutter::EncodableValue(std::move(list));
    }
    case nlohmann::json::value_t::object: {
      flutter::EncodableMap map;
      for (const auto& entry : json.items()) {
        map.emplace(flutter::EncodableValue(entry.key()), EncodableFromJson(entry.value()));
      }
      return flutter::EncodableValue(std::move(map));
    }
    default:
      return flutter::EncodableValue();
  }
}

}  // namespace kovi_bench
