// Bytes as text a person reads on one line: well-formed UTF-8 passes through as
// it is; control characters (C0, DEL, C1), bytes that are not well-formed UTF-8
// and the backslash are escaped, each byte as \xHH and the backslash as \\, so
// the original bytes can always be told from the text.
#ifndef KOVI_STANDINS_APP_PRINTABLE_TEXT_H_
#define KOVI_STANDINS_APP_PRINTABLE_TEXT_H_

#include <string>

std::string PrintableText(const std::string& bytes);

#endif  // KOVI_STANDINS_APP_PRINTABLE_TEXT_H_
