#!/bin/bash
# System test: the bundle a user ships, built against parts from outside the
# tree, runs as it is.
#   bundle.sh BIN_DIR WORK_DIR TREE GENERATOR TOOLCHAIN_FILE BUILD_TYPE
# The stand-ins of TREE (the Windows tree of BIN_DIR) are installed as a
# prebuilt engine, plugins and application come: plain files in folders of
# their own (the engine with its import library, the plugins without), no
# source or build tree of theirs in reach. A second tree is configured against
# those folders (KOVI_ENGINE_DIR, KOVI_PLUGINS_DIR, KOVI_APP_DATA_DIR), without
# tests, builds kovi alone, as one unit per library (a unity build: a third of
# the time), and installs it. The folder holds kovi.exe, its four DLLs and
# data/ and nothing else, the outside files unchanged; TREE installs the same
# layout with its stand-ins and the zip holds it too. Then kovi.exe runs from
# that folder: start-up, a short capture of SendInput moves (the loss-free
# input path), all counted, the window closed from outside, the mouse
# parameters set for the capture and restored, exit code 0.
set -u
source "$(dirname "$0")/system_lib.sh"
TREE=$3 GENERATOR=$4 TOOLCHAIN=$5 BUILD_TYPE=$6
started=$SECONDS
system_begin "$1" "$2" bundle
PARTS=$WORK/parts

# Runs a build step with its output in build.log; false, with the log shown,
# when it fails.
step() {
  echo "\$ $*" >>"$WORK/build.log"
  "$@" >>"$WORK/build.log" 2>&1 && return 0
  echo "failed: $*"
  tail -n 40 "$WORK/build.log"
  return 1
}

build_bundle() {
  local part
  for part in engine plugins app; do
    step cmake --install "$TREE" --component "standin_$part" --prefix "$PARTS/$part" || return 1
  done
  # Without tests, and with TREE's compiler launcher (its cache, if any).
  local launcher
  launcher=$(sed -n 's/^CMAKE_CXX_COMPILER_LAUNCHER:[A-Z]*=//p' "$TREE/CMakeCache.txt")
  step cmake -S "$KOVI_ROOT" -B "$WORK/tree" -G "$GENERATOR" --toolchain "$TOOLCHAIN" \
    -DCMAKE_BUILD_TYPE="$BUILD_TYPE" -DCMAKE_UNITY_BUILD=ON -DKOVI_BUILD_TESTS=OFF \
    -DCMAKE_C_COMPILER_LAUNCHER="$launcher" -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher" \
    -DKOVI_ENGINE_DIR="$PARTS/engine" -DKOVI_PLUGINS_DIR="$PARTS/plugins" \
    -DKOVI_APP_DATA_DIR="$PARTS/app" &&
    step cmake --build "$WORK/tree" --target kovi -j2 &&
    step cmake --install "$WORK/tree" --prefix "$WORK/bundle" &&
    step cpack --config "$WORK/tree/CPackConfig.cmake" &&
    step cmake --install "$TREE" --prefix "$WORK/default-bundle"
}

# The files under a folder, one relative path a line, sorted.
files_in() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }

# The files in the zip, without its top folder.
files_in_zip() {
  cmake -E tar tf "$WORK"/tree/kovi-*.zip | grep -v '/$' | sed 's|^[^/]*/||' | LC_ALL=C sort
}

# kovi.exe, the outside DLLs and the application's files as data/.
expected_files() {
  {
    echo kovi.exe
    files_in "$PARTS/engine" | grep '\.dll$'
    files_in "$PARTS/plugins" | grep '\.dll$'
    files_in "$PARTS/app" | sed 's|^|data/|'
  } | LC_ALL=C sort
}

# Each DLL and data file of the bundle is the outside folder's file.
# shellcheck disable=SC2317 # called through check
outside_files_unchanged() {
  local file
  for file in $(files_in "$WORK/bundle"); do
    case $file in
      kovi.exe) ;;
      data/*) cmp -s "$WORK/bundle/$file" "$PARTS/app/${file#data/}" || return 1 ;;
      *) cmp -s "$WORK/bundle/$file" "$PARTS/engine/$file" ||
        cmp -s "$WORK/bundle/$file" "$PARTS/plugins/$file" || return 1 ;;
    esac
  done
}

# shellcheck disable=SC2317 # called through check
counted_all() { [ "${SENT:-0}" -gt 0 ] && [ "${packets:-x}" = "$SENT" ]; }

if build_bundle; then
  echo "bundle built in $((SECONDS - started)) s"
  check "the bundle holds kovi.exe, its DLLs and data/, nothing else" \
    [ "$(files_in "$WORK/bundle")" = "$(expected_files)" ]
  check "the bundle's DLLs and data are the outside folders' files" outside_files_unchanged
  check "the default tree installs the same layout" \
    [ "$(files_in "$WORK/default-bundle")" = "$(files_in "$WORK/bundle")" ]
  check "the zip holds the bundle" [ "$(files_in_zip)" = "$(files_in "$WORK/bundle")" ]
  files_in "$WORK/bundle"

  KOVI_DIR=$WORK/bundle
  kovi_count_moves run 1 --set-mouse 3,7,2
  packets=$(result_value run packets)
  echo "sent ${SENT:-none}; counted ${packets:-none}"
  check "exit code 0" [ "$KOVI_CODE" = 0 ]
  check "every move sent is counted" counted_all
  check "0,0,0 during the capture" [ "$(result_value run mouse_during)" = 0,0,0 ]
  check "restored when the window closed" [ "$(result_value run mouse_at_shutdown)" = 3,7,2 ]
  [ "$KOVI_CODE" = 0 ] || show_run run
else
  check "the bundle is built and installed" false
fi
echo "stage took $((SECONDS - started)) s"
system_end
