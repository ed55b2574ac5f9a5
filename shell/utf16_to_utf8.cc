#include "shell/utf16_to_utf8.h"

#include <windows.h>

#include <cwchar>

std::string Utf16ToUtf8(const wchar_t* utf16_string) {
  if (utf16_string == nullptr) {
    return std::string();
  }
  // The size asked for counts the terminating null, which the result does not hold.
  const int target_size = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16_string, -1,
                                              nullptr, 0, nullptr, nullptr);
  const int target_length = target_size - 1;
  if (target_size == 0 || target_length == 0) {
    return std::string();
  }
  std::string utf8_string(static_cast<size_t>(target_length), '\0');
  const int converted = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16_string,
                                            static_cast<int>(std::wcslen(utf16_string)),
                                            utf8_string.data(), target_length, nullptr, nullptr);
  if (converted == 0) {
    return std::string();
  }
  return utf8_string;
}
