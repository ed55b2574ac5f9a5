// UTF-8 / UTF-16 conversion for the stand-in library's messages and paths.
#ifndef KOVI_STANDINS_FLUTTER_WINDOWS_UTF8_H_
#define KOVI_STANDINS_FLUTTER_WINDOWS_UTF8_H_

#include <string>

std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const std::wstring& wide);

#endif  // KOVI_STANDINS_FLUTTER_WINDOWS_UTF8_H_
