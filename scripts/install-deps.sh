#!/bin/bash
# Installs, with apt-get, every Debian package the build, the tests, the demo,
# the fuzzers and the benchmarks need; only what is missing.
set -eu
packages=(
  cmake ninja-build ccache make g++ clang lld libclang-rt-14-dev clang-format shellcheck python3
  googletest libgtest-dev libgmock-dev libbenchmark-dev libmsgpack-cxx-dev nlohmann-json3-dev
  g++-mingw-w64-x86-64-posix wine wine64
  valgrind
  xvfb xdotool x11-apps imagemagick libxtst-dev libx11-dev
)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
