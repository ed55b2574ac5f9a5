# Sourced by scripts/demo.sh: its options, read before anything is installed or
# built.
#   demo_parse_options ARGS...   sets DEMO_HZ, DEMO_SECONDS and DEMO_INPUT (the
#                                defaults: 1000 Hz of SendInput moves for 5 s);
#                                an unknown option or a value out of range
#                                prints one line of usage on stderr and returns 2
# shellcheck shell=bash disable=SC2034 # the DEMO_ variables are the caller's
DEMO_USAGE="usage: scripts/demo.sh [--hz 125..8000] [--seconds 1..600] [--input sendinput|xtest]"

demo_parse_options() {
  DEMO_HZ=1000
  DEMO_SECONDS=5
  DEMO_INPUT=sendinput
  while [ $# -gt 0 ]; do
    case "$1" in
      --hz) demo_whole_number "${2-}" 125 8000 && DEMO_HZ=$((10#$2)) ;;
      --seconds) demo_whole_number "${2-}" 1 600 && DEMO_SECONDS=$((10#$2)) ;;
      --input) [[ ${2-} =~ ^(sendinput|xtest)$ ]] && DEMO_INPUT=$2 ;;
      *) false ;;
    esac || {
      echo "$DEMO_USAGE" >&2
      return 2
    }
    shift 2
  done
}

# Whether TEXT is a whole number from LOW to HIGH.
demo_whole_number() {
  [[ $1 =~ ^[0-9]{1,6}$ ]] && ((10#$1 >= $2 && 10#$1 <= $3))
}
