#!/bin/bash
# What a Visual Studio developer's first configure gives, read from the build
# files of MSVC-style trees (tests/cmake/msvc_style_toolchain.cmake: clang-cl
# and LLVM's stand-ins for link, rc and mt; nothing is compiled or linked):
# - kovi.exe's link step carries /MANIFEST:NO (kovi.rc embeds the manifest);
# - every compile line takes the static runtime (-MT), none the DLL one (-MD);
# - the resource compiler finds kovi.ico through its include path;
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
# shellcheck source=tests/support/checks.sh
source "$source_dir/tests/support/checks.sh"

# TREE with the outside parts, and the options given.
configure() {
  local tree=$work/$1
  shift
  cmake -S "$source_dir" -B "$tree" -G Ninja --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DKOVI_ENGINE_DIR="$work/parts/engine" -DKOVI_PLUGINS_DIR="$work/parts/plugins" \
    -DKOVI_APP_DATA_DIR="$work/parts/app" "$@" >"$tree.log" 2>&1
}

# Readings of TREE's build files.
kovi_link() { sed -n '/^build bin\/kovi\.exe: /,/^$/p' "$work/$1/build.ninja"; }
compile_flags() { grep '^  FLAGS = ' "$work/$1/build.ninja"; }
resource_includes() { sed -n '/kovi\.rc\.res: /,/^$/p' "$work/$1/build.ninja" | grep '^  INCLUDES = '; }
has_googletest() { grep -qE 'gtest_main|gtest\.lib|gmock\.lib|/googletest/' "$work/$1/build.ninja"; }
has_tests() { grep -rq --include=CTestTestfile.cmake 'add_test' "$work/$1"; }
links() { kovi_link "$1" | grep -qF "$2"; }
static_runtime() { compile_flags "$1" | grep -q -- '-MT'; }
dll_runtime() { compile_flags "$1" | grep -qE -- '-MDd?( |$)'; }
rc_finds_icon() { resource_includes "$1" | grep -qE -- "-I $source_dir/resources( |\$)"; }
not() { ! "$@"; }

check "a configure that finds no GoogleTest succeeds" \
  configure no-gtest -DKOVI_GTEST_SOURCE_DIR="$work/empty"
check "and says the tests are off" grep -q "GoogleTest not found.*the tests are off" \
  "$work/no-gtest.log"
check "and configures no googletest" not has_googletest no-gtest
check "kovi.exe links with /MANIFEST:NO" links no-gtest /MANIFEST:NO
check "compile lines take the static runtime" static_runtime no-gtest
check "no compile line takes the DLL runtime" not dll_runtime no-gtest
check "rc's include path holds kovi.ico's folder" rc_finds_icon no-gtest
for plugin in screen_retriever_plugin url_launcher_windows_plugin window_manager_plugin; do
  check "kovi.exe links $plugin.lib" links no-gtest "$work/parts/plugins/$plugin.lib"
done
check "kovi.exe links flutter_windows.dll.lib" \
  links no-gtest "$work/parts/engine/flutter_windows.dll.lib"

check "a configure with the tests off succeeds" configure tests-off -DKOVI_BUILD_TESTS=OFF
check "and configures no test" not has_tests tests-off
check "and no googletest" not has_googletest tests-off

if ((CHECK_FAILURES > 0)); then
  echo "$CHECK_FAILURES check(s) failed; the logs are in $work"
  exit 1
fi
