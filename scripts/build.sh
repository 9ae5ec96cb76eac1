#!/usr/bin/env bash
# Configures and builds the native flavour (pure logic and its tests) and both Windows
# flavours, 32-bit in build/win32 and 64-bit in build/win64 (the program and its test
# programs). Both Windows flavours build on every host; which of them can run is the
# business of the run and test scripts.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
bash scripts/setup.sh

configure() { # tree, extra cmake arguments...
  local tree=$1
  shift
  [ -f "$B/$tree/build.ninja" ] && return
  cmake -S . -B "$B/$tree" -G Ninja "$@" >"$B/$tree.configure.log" 2>&1 || {
    cat "$B/$tree.configure.log" >&2
    echo "zp350: cannot configure the $tree build (log above)" >&2
    exit 1
  }
}

mkdir -p "$B"
configure native -DCMAKE_BUILD_TYPE=Debug
configure win32 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release
configure win64 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release
for tree in native win32 win64; do
  cmake --build "$B/$tree" || {
    echo "zp350: the $tree build failed (compiler output above)" >&2
    exit 1
  }
done
