#!/bin/bash
# What a Visual Studio developer's first configure gives, read from the build
# files of MSVC-style trees (tests/cmake/msvc_style_toolchain.cmake: clang-cl
# and LLVM's stand-ins for link, rc and mt; nothing is compiled or linked):
# - kovi.exe's link step carries /MANIFEST:NO (kovi.rc embeds the manifest);
# - every compile line takes the static runtime (-MT), none the DLL one (-MD);
# - outside plugins whose import libraries are named <name>.lib, as CMake
#   names them, are accepted, and flutter_windows.dll.lib is linked;
# - with no GoogleTest to be found the configure says the tests are off and
#   succeeds, and with KOVI_BUILD_TESTS=OFF no test or googletest target is
#   configured either.
#   msvc_configure_test.sh SOURCE_DIR WORK_DIR
set -u
source_dir=$1 work=$2
toolchain=$source_dir/tests/cmake/msvc_style_toolchain.cmake
rm -rf "$work"
mkdir -p "$work/parts/engine" "$work/parts/plugins" "$work/parts/app/flutter_assets" "$work/empty"
touch "$work/parts/engine/flutter_windows.dll" "$work/parts/engine/flutter_windows.dll.lib" \
  "$work/parts/app/icudtl.dat" "$work/parts/app/app.so"
for plugin in screen_retriever_plugin url_launcher_windows_plugin window_manager_plugin; do
  touch "$work/parts/plugins/$plugin.dll" "$work/parts/plugins/$plugin.lib"
done
failures=0
check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok: $what"
  else
    echo "FAILED: $what"
    failures=$((failures + 1))
  fi
}

# TREE with the outside parts, and the options given.
configure() {
  local tree=$work/$1
  shift
  cmake -S "$source_dir" -B "$tree" -G Ninja --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DKOVI_ENGINE_DIR="$work/parts/engine" -DKOVI_PLUGINS_DIR="$work/parts/plugins" \
    -DKOVI_APP_DATA_DIR="$work/parts/app" "$@" >"$tree.log" 2>&1
}

# The build statement of kovi.exe and the variables under it.
kovi_link() { sed -n '/^build bin\/kovi\.exe: /,/^$/p' "$work/$1/build.ninja"; }
compile_flags() { grep '^  FLAGS = ' "$work/$1/build.ninja"; }
has_googletest() { grep -qE 'gtest_main|gtest\.lib|gmock\.lib|/googletest/' "$work/$1/build.ninja"; }

check "a configure that finds no GoogleTest succeeds" \
  configure no-gtest -DKOVI_GTEST_SOURCE_DIR="$work/empty"
check "and says the tests are off" grep -q "GoogleTest not found.*the tests are off" \
  "$work/no-gtest.log"
check "and configures no googletest" eval '! has_googletest no-gtest'
check "kovi.exe links with /MANIFEST:NO" eval 'kovi_link no-gtest | grep -q "/MANIFEST:NO"'
check "compile lines take the static runtime" eval 'compile_flags no-gtest | grep -q -- "-MT"'
check "no compile line takes the DLL runtime" eval '! compile_flags no-gtest | grep -qE -- "-MDd?( |$)"'
for plugin in screen_retriever_plugin url_launcher_windows_plugin window_manager_plugin; do
  check "kovi.exe links $plugin.lib" \
    eval "kovi_link no-gtest | grep -qF '$work/parts/plugins/$plugin.lib'"
done
check "kovi.exe links flutter_windows.dll.lib" \
  eval "kovi_link no-gtest | grep -qF '$work/parts/engine/flutter_windows.dll.lib'"

check "a configure with the tests off succeeds" configure tests-off -DKOVI_BUILD_TESTS=OFF
check "and configures no test" eval '! grep -q "add_test" "$work/tests-off/CTestTestfile.cmake"'
check "and no googletest" eval '! has_googletest tests-off'

if ((failures > 0)); then
  echo "$failures check(s) failed; the logs are in $work"
  exit 1
fi
