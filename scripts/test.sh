#!/bin/bash
# The project's test run: installs what is missing, then for each tree named
# (default: native fuzz windows windows-clang) configures it when it has no
# configuration yet or its presets changed since, builds what changed and runs
# its tests, and ends with "N passed, N failed, N skipped", counting test
# cases (scripts/test_summary.py). A tree that cannot configure, build or start
# its tests counts as one more failure.
#   scripts/test.sh [--fresh] [TREE...]
# --fresh configures each tree from scratch first (its build then starts over,
# apart from what the compiler cache holds).
set -u
cd "$(dirname "$0")/.." || exit 1
root=$(pwd)
all_trees=(native fuzz windows windows-clang)
usage() {
  local IFS='|'
  echo "usage: scripts/test.sh [--fresh] [${all_trees[*]}]..." >&2
  exit 2
}
fresh=() trees=()
for argument in "$@"; do
  case " --fresh ${all_trees[*]} " in
    *" $argument "*) ;;
    *) usage ;;
  esac
  if [ "$argument" = --fresh ]; then
    fresh=(--fresh)
  else
    trees+=("$argument")
  fi
done
[ ${#trees[@]} -gt 0 ] || trees=("${all_trees[@]}")

scripts/install-deps.sh || exit 1

# How a tree is configured before its build: from scratch when asked or when
# its cache is of another generator, again when the presets changed after its
# cache; not at all otherwise (the build reconfigures itself when a
# CMakeLists.txt changes). Prints the option for cmake, or "skip".
configure_mode() {
  local cache=$root/build/$1/CMakeCache.txt
  if [ ${#fresh[@]} -gt 0 ] ||
    { [ -f "$cache" ] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$cache"; }; then
    echo --fresh
  elif [ ! -f "$cache" ] || [ CMakePresets.json -nt "$cache" ]; then
    echo ""
  else
    echo skip
  fi
}

# Configures (when needed) and builds one tree; false when either fails.
build_tree() {
  local tree=$1 start=$SECONDS mode log=$root/build/$1-configure.log
  echo "=== $tree: configure and build"
  mode=$(configure_mode "$tree")
  # shellcheck disable=SC2086 # the mode is one option or none
  if [ "$mode" != skip ] && ! cmake --preset "$tree" $mode >"$log" 2>&1; then
    cat "$log"
    return 1
  fi
  cmake --build --preset "$tree" || return 1
  echo "=== $tree: built in $((SECONDS - start)) s"
}

# Runs one tree's tests, their output in build/<tree>-ctest.log and CTest's
# exit code in build/<tree>-ctest.rc.
test_tree() {
  local tree=$1 dir=$root/build/$1 start=$SECONDS
  rm -rf "$dir/test-results" "$dir/ctest-junit.xml"
  ctest --preset "$tree" --output-junit "$dir/ctest-junit.xml" >"$root/build/$tree-ctest.log" 2>&1
  echo $? >"$root/build/$tree-ctest.rc"
  echo "=== $tree: tested in $((SECONDS - start)) s"
}

# A tree's tests start as soon as it is built, while the next tree builds and
# the trees before it may still be testing: each Windows tree's tests run in
# Wine prefixes and on X displays of their own, and the system tests mostly
# wait on Wine and the display, so the build has the processor meanwhile.
mkdir -p build
broken=0 tested=() testing=()
for tree in "${trees[@]}"; do
  if build_tree "$tree"; then
    test_tree "$tree" &
    testing+=($!)
    tested+=("$root/build/$tree")
  else
    broken=$((broken + 1))
  fi
done
[ ${#testing[@]} -eq 0 ] || wait "${testing[@]}"
# The Wine servers the Windows trees' tests left waiting for their next client.
source scripts/wine-env.sh
for dir in "${tested[@]}"; do
  for prefix in "$dir/wineprefix" "$dir/wineprefix-x11"; do
    [ ! -d "$prefix" ] || WINEPREFIX=$prefix "$KOVI_WINESERVER" -k >/dev/null 2>&1 || true
  done
done

# The whole output of a tree whose tests did not all pass.
for dir in "${tested[@]}"; do
  tree=$(basename "$dir")
  if [ "$(cat "build/$tree-ctest.rc")" != 0 ]; then
    echo "=== $tree: the tests' output (build/$tree-ctest.log)"
    cat "build/$tree-ctest.log"
  fi
done
if [ $broken -ne 0 ]; then
  echo "$broken tree(s) failed to configure or build" >&2
fi
if [ ${#tested[@]} -eq 0 ]; then
  echo "0 passed, $broken failed, 0 skipped"
  exit 1
fi
python3 scripts/test_summary.py --broken "$broken" "${tested[@]}"
