#!/usr/bin/env bash
# Configures and builds the native flavour (pure logic and its tests) and both Windows
# flavours, 32-bit in build/win32 and 64-bit in build/win64 (the program and its test
# programs). Both Windows flavours build on every host; which of them can run is the
# business of the run and test scripts.
# `scripts/build.sh programs` builds only what a user downloads: the dialog program and its
# command-line companion in both Windows flavours.
# Each tree is configured from its preset in CMakePresets.json (native, win32, win64); the
# presets' trees are build/<tree>, and another BUILD_DIR gets the same settings in its own.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
bash scripts/setup.sh

configure() { # tree
  local tree=$1
  [ -f "$B/$tree/build.ninja" ] && return
  cmake --preset "$tree" -B "$B/$tree" >"$B/$tree.configure.log" 2>&1 || {
    cat "$B/$tree.configure.log" >&2
    echo "zp350: cannot configure the $tree build (log above)" >&2
    exit 1
  }
}

build() { # tree, targets...
  local tree=$1
  shift
  local how=(--preset "$tree")
  [ "$B" = build ] || how=("$B/$tree")
  cmake --build "${how[@]}" "$@" || {
    echo "zp350: the $tree build failed (compiler output above)" >&2
    exit 1
  }
}

mkdir -p "$B"
configure win32
configure win64
if [ "${1:-}" = programs ]; then
  build win32 --target zp350tool32 zp350cli32 zp350svc32
  build win64 --target zp350tool64 zp350cli64 zp350svc64
  exit 0
fi
configure native
for tree in native win32 win64; do build "$tree"; done
