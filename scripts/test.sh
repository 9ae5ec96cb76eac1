#!/usr/bin/env bash
# Builds every flavour and runs every test: the pure logic natively under the sanitizers,
# each fuzz target briefly over its seed corpus, the Windows code under Wine, 64-bit always
# and 32-bit wherever the host can run it, then the release: signing and the installers.
#   scripts/test.sh [--only-wine]
# --only-wine runs only the steps that reach Wine: the Windows tests, the windows at other
# display scalings and in a plain prefix, the end-to-end tests and the installer test (CI runs
# them once more with ZP350_64BIT_ONLY=1 on a host that executes 32-bit programs, see .ci/run).
set -euo pipefail
source "$(dirname "$0")/only-64bit.sh"
only_64bit_enter "$0" "$@"
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
only_wine=""
[ "${1:-}" != --only-wine ] || only_wine=1
bash scripts/build.sh

# The presets' tests (CMakePresets.json) where the trees are theirs; the same settings
# otherwise.
run_tests() { # tree
  if [ "$B" = build ]; then
    ctest --preset "$1"
  else
    ctest --test-dir "$B/$1" --output-on-failure --timeout 600
  fi
}

if [ -z "$only_wine" ]; then
  echo "== native tests"
  run_tests native
  echo "== fuzz targets, briefly, over their seed corpus"
  bash scripts/fuzz.sh --brief
fi

source scripts/wine-env.sh
wine_env_start
skip32=$(why_no_32bit)

# The windows at another display scaling: Wine gives a program the DPI of LogPixels, read when
# it starts. Runs a tree's scaling tests at each DPI given, with `reg` setting the value and
# `run` starting the program ("$WINE64", "$WINE32" or run_in_plain_prefix for a user's
# prefix), and sets 96 DPI back in any case.
at_dpis() { # tree, reg, run, DPIs...
  local tree=$1 reg=$2 run=$3 dpi code=0
  shift 3
  for dpi in "$@"; do
    echo "-- $tree at $dpi DPI"
    set_dpi "$dpi" "$reg"
    (cd "$B/$tree" && export ZP350_DPI=$dpi && $run ./win32_scaling_tests.exe --gtest_brief=1 </dev/null) ||
      code=$?
    set_dpi 96 "$reg"
    [ "$code" = 0 ] || return "$code"
  done
}

if [ -n "$skip32" ]; then
  echo "== 32-bit Windows tests skipped: $skip32; the 64-bit flavour is tested instead"
else
  echo "== Windows tests under Wine, 32-bit flavour"
  run_tests win32
  echo "== the windows at 144 and 192 DPI, 32-bit flavour"
  at_dpis win32 "$WINE64" "$WINE32" 144 192
fi
echo "== Windows tests under Wine, 64-bit flavour"
run_tests win64
echo "== the windows at 120, 144, 192 and 240 DPI, 64-bit flavour"
at_dpis win64 "$WINE64" "$WINE64" 120 144 192 240
# A user's prefix has none of the project's font settings: there the welcome window's dialog
# units are smaller than its picture, and captions take other room.
echo "== the windows in a plain Wine prefix at 96, 120, 144 and 192 DPI, 64-bit flavour"
at_dpis win64 run_in_plain_prefix run_in_plain_prefix 96 120 144 192

# The program's reader code and the program itself against the virtual card reader in
# Wine's own HID stack, in prefixes of their own.
bash scripts/e2e.sh x86_64
[ -n "$skip32" ] || bash scripts/e2e.sh i686

# The release: signing with a throw-away certificate, and the installers under Wine in a
# prefix of their own.
[ -n "$only_wine" ] || bash tests/release/signing_test.sh
bash tests/release/installer_test.sh
