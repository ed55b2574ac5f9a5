// Bytes as lower-case hexadecimal text, two digits per byte, no separators.
#ifndef KOVI_STANDINS_APP_HEX_H_
#define KOVI_STANDINS_APP_HEX_H_

#include <cstddef>
#include <cstdint>
#include <string>

std::string ToHex(const uint8_t* data, size_t size);
std::string ToHex(const std::string& bytes);

#endif  // KOVI_STANDINS_APP_HEX_H_
