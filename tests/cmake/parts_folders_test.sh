#!/bin/bash
# The folders of outside parts (cmake/KoviParts.cmake): for each option and
# each entry its folder must hold, a configure with that entry missing stops
# before any folder of the project is read, with one error naming the entry.
# One scratch tree serves every case, so the compilers are detected once.
#   parts_folders_test.sh SOURCE_DIR WORK_DIR TOOLCHAIN_FILE
set -u
source_dir=$1 work=$2 toolchain=$3
rm -rf "$work"
mkdir -p "$work"
failures=0

# Complete folders of placeholder files: only their presence is checked.
lay_out_parts() {
  local parts=$work/parts
  rm -rf "$parts"
  mkdir -p "$parts/engine" "$parts/plugins" "$parts/app/flutter_assets"
  touch "$parts/engine/flutter_windows.dll" "$parts/app/icudtl.dat" "$parts/app/app.so" \
    "$parts/plugins/screen_retriever_plugin.dll" "$parts/plugins/url_launcher_windows_plugin.dll" \
    "$parts/plugins/window_manager_plugin.dll"
}

# option, its folder, the entry taken away
while read -r option folder entry; do
  lay_out_parts
  rm -r "${work:?}/parts/$folder/$entry"
  log=$work/${option}-${entry%/}.log
  rm -rf "$work/tree/shell"
  if cmake -S "$source_dir" -B "$work/tree" --toolchain "$toolchain" \
      -DKOVI_ENGINE_DIR="$work/parts/engine" -DKOVI_PLUGINS_DIR="$work/parts/plugins" \
      -DKOVI_APP_DATA_DIR="$work/parts/app" >"$log" 2>&1; then
    verdict="configured"
  elif ! grep -qF "$option: $entry is missing from $work/parts/$folder" "$log"; then
    verdict="no error naming it"
  elif [ "$(grep -c '^CMake Error' "$log")" != 1 ]; then
    verdict="more than one error"
  elif [ -e "$work/tree/shell" ]; then
    verdict="the project's folders were read first"
  else
    echo "ok: $option without $entry"
    continue
  fi
  echo "FAIL: $option without $entry: $verdict"
  cat "$log"
  failures=$((failures + 1))
done <<'CASES'
KOVI_ENGINE_DIR engine flutter_windows.dll
KOVI_PLUGINS_DIR plugins screen_retriever_plugin.dll
KOVI_PLUGINS_DIR plugins url_launcher_windows_plugin.dll
KOVI_PLUGINS_DIR plugins window_manager_plugin.dll
KOVI_APP_DATA_DIR app flutter_assets/
KOVI_APP_DATA_DIR app icudtl.dat
KOVI_APP_DATA_DIR app app.so
CASES
[ "$failures" -eq 0 ]
