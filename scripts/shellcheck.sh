#!/bin/bash
# Checks every shell script of the project with shellcheck, following the
# files they source (.shellcheckrc). Exit code 0 when all are clean.
set -eu
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.sh' .ci/run)
shellcheck "${files[@]}"
