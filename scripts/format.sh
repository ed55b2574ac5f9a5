#!/bin/bash
# Formats (default) or checks (--check) every C++ source of the project with its .clang-format.
set -eu
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.h' '*.cc' '*.cpp')
if [ "${1:-}" = "--check" ]; then
  clang-format --dry-run -Werror "${files[@]}"
else
  clang-format -i "${files[@]}"
fi
