#!/bin/bash
# The project's whole test run, from scratch: installs what is missing, creates
# the Wine prefix, configures and builds the native, fuzz (clang + sanitizers)
# and the two Windows trees (MinGW g++, then clang on the same MinGW
# libraries), runs every test of each, one tree after another (the Windows
# trees share the Wine prefix), and ends with
# "N passed, N failed, N skipped" (a tree that cannot
# configure, build or start its tests counts as one more failure).
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh || exit 1
scripts/wine-prefix.sh || exit 1

passed=0 failed=0 skipped=0 broken=0
run_tree() {
  local preset=$1 log="$root/build/$1-ctest.log" start=$SECONDS
  echo "=== $preset: configure and build"
  if ! cmake --preset "$preset" --fresh >"$root/build/$preset-configure.log" 2>&1; then
    cat "$root/build/$preset-configure.log"; broken=1; return
  fi
  if ! cmake --build --preset "$preset"; then
    broken=1; return
  fi
  echo "=== $preset: built in $((SECONDS - start)) s; test"
  start=$SECONDS
  ctest --preset "$preset" 2>&1 | tee "$log"
  local rc=${PIPESTATUS[0]}
  echo "=== $preset: tested in $((SECONDS - start)) s"
  # Each case's own result line, not the English summary: "Passed", "***Skipped"
  # (exit code 77 of a system test), anything else is a failure.
  local results ok skips total
  results=$(grep -E '^ *[0-9]+/[0-9]+ Test +#[0-9]+: ' "$log")
  total=$(grep -c . <<<"$results")
  ok=$(grep -c -E ' Passed +[0-9.]+ sec' <<<"$results")
  skips=$(grep -c -F '***Skipped' <<<"$results")
  passed=$((passed + ok))
  skipped=$((skipped + skips))
  failed=$((failed + total - ok - skips))
  # No case run, or ctest failing with every case passed: the run did not start or did not end.
  if [ "$total" -eq 0 ] || { [ "$rc" -ne 0 ] && [ $((total - ok - skips)) -eq 0 ]; }; then
    broken=1
  fi
}

mkdir -p build
for preset in native fuzz windows windows-clang; do
  run_tree "$preset"
done
source scripts/wine-env.sh
"$KOVI_WINESERVER" -k >/dev/null 2>&1 || true

if [ $broken -ne 0 ]; then
  echo "a tree failed to configure, build or run its tests" >&2
  failed=$((failed + 1))
fi
echo "$passed passed, $failed failed, $skipped skipped"
[ $failed -eq 0 ]
