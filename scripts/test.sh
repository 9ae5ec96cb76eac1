#!/usr/bin/env bash
# Builds every flavour and runs every test: the pure logic natively under the sanitizers,
# each fuzz target briefly over its seed corpus, the Windows code under Wine, 64-bit always
# and 32-bit wherever the host can run it, then the release: signing and the installers.
#   scripts/test.sh [--only-wine]
# --only-wine runs only the steps that reach Wine: the Windows tests, the welcome window in a
# plain prefix, the end-to-end tests and the installer test (CI runs them once more with
# ZP350_64BIT_ONLY=1 on a host that executes 32-bit programs, see .ci/run).
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
if [ -n "$skip32" ]; then
  echo "== 32-bit Windows tests skipped: $skip32; the 64-bit flavour is tested instead"
else
  echo "== Windows tests under Wine, 32-bit flavour"
  run_tests win32
fi
echo "== Windows tests under Wine, 64-bit flavour"
run_tests win64
# A user's prefix has none of the project's font settings: there the welcome window's dialog
# units are smaller than its picture, and it must still show the picture whole.
echo "== the welcome window in a plain Wine prefix, 64-bit flavour"
run_in_plain_prefix "$B/win64/win32_app_tests.exe" --gtest_filter='Splash.Escape*'

# The program's reader code and the program itself against the virtual card reader in
# Wine's own HID stack, in prefixes of their own.
bash scripts/e2e.sh x86_64
[ -n "$skip32" ] || bash scripts/e2e.sh i686

# The release: signing with a throw-away certificate, and the installers under Wine in a
# prefix of their own.
[ -n "$only_wine" ] || bash tests/release/signing_test.sh
bash tests/release/installer_test.sh
