#!/bin/bash
# The project's whole test run, from scratch: installs what is missing, creates
# the Wine prefix, configures and builds the native, fuzz (clang + sanitizers)
# and Windows trees, runs every test of each, and ends with "N passed, N failed".
set -u
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh || exit 1
scripts/wine-prefix.sh || exit 1

passed=0 failed=0 broken=0
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
  echo "=== $preset: tested in $((SECONDS - start)) s"
  local line total fails
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
  if [ -z "$line" ]; then
    if ! grep -q 'No tests were found' "$log"; then broken=1; fi
    return
  fi
  total=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  fails=$(sed -E 's/.*passed, ([0-9]+) tests failed.*/\1/' <<<"$line")
  passed=$((passed + total - fails))
  failed=$((failed + fails))
}

mkdir -p build
for preset in native fuzz windows; do
  run_tree "$preset"
done
source scripts/wine-env.sh
"$KOVI_WINESERVER" -k >/dev/null 2>&1 || true

if [ $broken -ne 0 ]; then
  echo "a tree failed to configure, build or run its tests" >&2
  failed=$((failed + 1))
fi
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
