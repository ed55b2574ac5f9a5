// Test helper: prints CommandLineArgumentsUtf8 of its own command line, one
// argument per line, as ">" followed by the UTF-8 bytes in lower-case hex (an
// empty argument gives a line holding only ">").
#include <cstdio>

#include "shell/command_line.h"

int main() {
  for (const std::string& argument : CommandLineArgumentsUtf8()) {
    std::printf(">");
    for (unsigned char byte : argument) {
      std::printf("%02x", byte);
    }
    std::printf("\n");
  }
  return 0;
}
