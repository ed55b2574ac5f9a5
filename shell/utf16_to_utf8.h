// Utf16ToUtf8: strict conversion of a wide (UTF-16) string to UTF-8.
// Pure function; any thread.
#ifndef KOVI_SHELL_UTF16_TO_UTF8_H_
#define KOVI_SHELL_UTF16_TO_UTF8_H_

#include <string>

// The UTF-8 form of a null-terminated UTF-16 string. Null, empty and
// ill-formed input (an unpaired surrogate anywhere) all give the empty string:
// nothing is ever replaced by a substitute character.
std::string Utf16ToUtf8(const wchar_t* utf16_string);

#endif  // KOVI_SHELL_UTF16_TO_UTF8_H_
