#!/usr/bin/env bash
# Configures and builds the native flavour (pure logic and its tests) and both Windows
# flavours, 32-bit in build/win32 and 64-bit in build/win64 (the program and its test
# programs). Both Windows flavours build on every host; which of them can run is the
# business of the run and test scripts.
# `scripts/build.sh programs` builds only what a user downloads: the dialog program and its
# command-line companion in both Windows flavours.
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

build() { # tree, targets...
  local tree=$1
  shift
  cmake --build "$B/$tree" "$@" || {
    echo "zp350: the $tree build failed (compiler output above)" >&2
    exit 1
  }
}

mkdir -p "$B"
configure win32 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release
configure win64 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release
if [ "${1:-}" = programs ]; then
  build win32 --target zp350tool32 zp350cli32
  build win64 --target zp350tool64 zp350cli64
  exit 0
fi
configure native -DCMAKE_BUILD_TYPE=Debug
for tree in native win32 win64; do build "$tree"; done
