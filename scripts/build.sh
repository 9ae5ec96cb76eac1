#!/usr/bin/env bash
# Configures and builds the native flavour (pure logic and its tests) and the 32-bit
# Windows flavour (the program and its test programs).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
bash scripts/setup.sh
[ -f $B/native/build.ninja ] || cmake -S . -B $B/native -G Ninja -DCMAKE_BUILD_TYPE=Debug
[ -f $B/win32/build.ninja ] || cmake -S . -B $B/win32 -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=Release
cmake --build $B/native
cmake --build $B/win32
