#!/bin/bash
# The project's test run: installs what is missing, then for each tree named
# (default: native fuzz windows windows-clang, one after another; the Windows
# trees share the Wine prefix) configures it when it has no configuration yet
# or its presets changed since, builds what changed, runs its tests, and ends
# with "N passed, N failed, N skipped", counting test cases
# (scripts/test_summary.py). A tree that cannot configure, build or start its
# tests counts as one more failure.
#   scripts/test.sh [--fresh] [TREE...]
# --fresh configures each tree from scratch first (its build then starts over,
# apart from what the compiler cache holds).
set -u
cd "$(dirname "$0")/.." || exit 1
root=$(pwd)
all_trees=(native fuzz windows windows-clang)
usage() {
  echo "usage: scripts/test.sh [--fresh] [${all_trees[*]// /|}]..." >&2
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
if [[ " ${trees[*]} " == *" windows"* ]]; then
  scripts/wine-prefix.sh || exit 1
fi

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

broken=0 tested=()
run_tree() {
  local tree=$1 dir=$root/build/$1 start=$SECONDS mode
  echo "=== $tree: configure and build"
  mode=$(configure_mode "$tree")
  if [ "$mode" != skip ]; then
    local log=$root/build/$tree-configure.log
    # shellcheck disable=SC2086 # the mode is one option or none
    if ! cmake --preset "$tree" $mode >"$log" 2>&1; then
      cat "$log"
      broken=$((broken + 1))
      return
    fi
  fi
  if ! cmake --build --preset "$tree"; then
    broken=$((broken + 1))
    return
  fi
  echo "=== $tree: built in $((SECONDS - start)) s; test"
  start=$SECONDS
  rm -rf "$dir/test-results" "$dir/ctest-junit.xml"
  ctest --preset "$tree" --output-junit "$dir/ctest-junit.xml" 2>&1 | tee "$root/build/$tree-ctest.log"
  echo "=== $tree: tested in $((SECONDS - start)) s"
  tested+=("$dir")
}

mkdir -p build
for tree in "${trees[@]}"; do
  run_tree "$tree"
done
if [[ " ${trees[*]} " == *" windows"* ]]; then
  source scripts/wine-env.sh
  "$KOVI_WINESERVER" -k >/dev/null 2>&1 || true
fi

if [ $broken -ne 0 ]; then
  echo "$broken tree(s) failed to configure or build" >&2
fi
if [ ${#tested[@]} -eq 0 ]; then
  echo "0 passed, $broken failed, 0 skipped"
  exit 1
fi
python3 scripts/test_summary.py --broken "$broken" "${tested[@]}"
