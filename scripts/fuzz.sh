#!/bin/bash
# Runs a libFuzzer campaign: scripts/fuzz.sh <target|all> <seconds per target>
# Builds the fuzz tree (clang + ASan/UBSan) when needed, then fuzzes each target
# in turn, one job at a time, starting from its seeds in fuzz/corpus/<target>/
# and growing a working corpus in <tree>/fuzz-work/<target>/corpus (never
# committed). libFuzzer's fork mode keeps a campaign going past a finding, so
# one known fault does not hide the next. Prints executions, coverage and
# findings per target; exits 1 when a target found anything. Findings land in
# <tree>/fuzz-work/<target>/findings/: minimise one with
# `<binary> -minimize_crash=1 -runs=10000 <finding>` and add it to the seeds.
# KOVI_FUZZ_TREE names the build folder (default build/fuzz-campaign).
set -u
cd "$(dirname "$0")/.." || exit 1
root=$(pwd)

if [ $# -ne 2 ] || ! [[ $2 =~ ^[0-9]+$ ]]; then
  echo "usage: $0 <target|all> <seconds per target>" >&2
  exit 2
fi
seconds=$2
tree=${KOVI_FUZZ_TREE:-$root/build/fuzz-campaign}

if [ "$1" = all ]; then
  mapfile -t targets < <(find fuzz/corpus -mindepth 1 -maxdepth 1 -type d -printf '%f\n' | sort)
else
  targets=("$1")
fi
for target in "${targets[@]}"; do
  if [ ! -d "fuzz/corpus/$target" ]; then
    echo "no seed folder fuzz/corpus/$target" >&2
    exit 2
  fi
done

if [ ! -f "$tree/CMakeCache.txt" ]; then
  cmake --preset fuzz -B "$tree" >/dev/null || exit 1
fi
cmake --build "$tree" -j2 --target "${targets[@]}" >/dev/null || exit 1

found=0
for target in "${targets[@]}"; do
  work=$tree/fuzz-work/$target
  mkdir -p "$work/corpus" "$work/findings"
  cp -n fuzz/corpus/"$target"/* "$work/corpus/" 2>/dev/null
  log=$work/campaign.log
  echo "=== $target: ${seconds}s (log: $log)"
  "$tree/bin/$target" "$work/corpus" \
    -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -max_total_time="$seconds" -timeout=5 -rss_limit_mb=2048 \
    -artifact_prefix="$work/findings/" >"$log" 2>&1
  # Fork mode's progress lines: "#<executions>: cov: <edges> ft: <features> corp: <inputs> ..."
  grep -E '^#[0-9]+: cov:' "$log" | tail -1
  echo "corpus: $(find "$work/corpus" -type f | wc -l) inputs"
  mapfile -t findings < <(find "$work/findings" -type f | sort)
  if [ ${#findings[@]} -gt 0 ]; then
    found=1
    echo "FINDINGS:"
    printf '  %s\n' "${findings[@]}"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*changed on a second|an encoded|a success envelope|a write|a message)' \
      "$log" | sort | uniq -c | head -10
  else
    echo "findings: none"
  fi
done
exit $found
