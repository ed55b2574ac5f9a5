#!/bin/bash
# The demo's options, one row each: the arguments, then what they give,
# "HZ SECONDS INPUT" or "usage" (one line on stderr, status 2). A row that gives
# usage also runs the demo itself, in a scratch copy whose install step only
# leaves a mark: it must end at once, the same way, before installing anything.
#   demo_options_test.sh SOURCE_DIR
set -u
SOURCE=$1
# shellcheck source=scripts/demo-options.sh
source "$SOURCE/scripts/demo-options.sh"
cases=(
  "|1000 5 sendinput"
  "--hz 8000 --seconds 3 --input sendinput|8000 3 sendinput"
  "--input xtest --hz 125|125 5 xtest"
  "--hz 0500 --seconds 600|500 600 sendinput"
  "--hz 4000 --hz 2000|2000 5 sendinput"
  "--input xtest --input sendinput|1000 5 sendinput"
  "--hz 124|usage"
  "--hz 8001|usage"
  "--hz 1e3|usage"
  "--hz -1000|usage"
  "--hz|usage"
  "--seconds 0|usage"
  "--seconds 601|usage"
  "--seconds 2.5|usage"
  "--input usb|usage"
  "--input|usage"
  "--rate 1000|usage"
  "--hz 1000 extra|usage"
)

SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
mkdir -p "$SCRATCH/scripts"
cp "$SOURCE/scripts/demo.sh" "$SOURCE/scripts/demo-options.sh" "$SCRATCH/scripts/"
printf '#!/bin/bash\ntouch "%s/installed"\nexit 1\n' "$SCRATCH" >"$SCRATCH/scripts/install-deps.sh"
chmod +x "$SCRATCH/scripts/install-deps.sh"

failures=0
fail() {
  echo "FAIL: '$1': $2"
  failures=$((failures + 1))
}

for row in "${cases[@]}"; do
  read -ra arguments <<<"${row%|*}"
  want=${row#*|}
  got=$(demo_parse_options "${arguments[@]}" 2>"$SCRATCH/err" &&
    echo "$DEMO_HZ $DEMO_SECONDS $DEMO_INPUT")
  status=$?
  usage=$(cat "$SCRATCH/err")
  if [ "$want" != usage ]; then
    if ! [ "$status" = 0 ] || [ "$got" != "$want" ] || [ -n "$usage" ]; then
      fail "${row%|*}" "gave status $status, '$got', '$usage'; expected '$want'"
    fi
    continue
  fi
  if ! [ "$status" = 2 ] || [ -n "$got" ] || [ "$usage" != "$DEMO_USAGE" ]; then
    fail "${row%|*}" "gave status $status, '$got', '$usage'; expected one line of usage"
  fi
  rm -f "$SCRATCH/installed"
  out=$(bash "$SCRATCH/scripts/demo.sh" "${arguments[@]}" 2>"$SCRATCH/err")
  status=$?
  usage=$(cat "$SCRATCH/err")
  if ! [ "$status" = 2 ] || [ -n "$out" ] || [ "$usage" != "$DEMO_USAGE" ] ||
    [ -e "$SCRATCH/installed" ]; then
    fail "${row%|*}" "the demo gave status $status, '$out', '$usage'"
  fi
done
echo "${#cases[@]} rows, $failures failed"
[ "$failures" = 0 ]
