#!/usr/bin/env bash
# Builds and runs the benchmarks: native ones directly, Windows ones under Wine in each
# flavour the host can run (64-bit always, 32-bit where the host can execute it).
set -euo pipefail
source "$(dirname "$0")/only-64bit.sh"
only_64bit_enter "$0" "$@"
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
bash scripts/build.sh

# A figure, not a timing: the code part (.text) of the window program and of the
# command-line companion, in bytes, in each flavour built.
echo "== code bytes (.text) of the programs"
for flavour in "32 i686" "64 x86_64"; do
  bits=${flavour% *}
  line="$bits-bit:"
  for exe in "$B/win$bits/zp350tool$bits.exe" "$B/win$bits/zp350cli$bits.exe"; do
    [ -f "$exe" ] || continue
    bytes=$("${flavour#* }-w64-mingw32-size" -A "$exe" | awk '$1 == ".text" { print $2 }')
    line+=" $(basename "$exe") $bytes"
  done
  echo "$line"
done

for bench in "$B"/native/native_*bench*; do
  [ -x "$bench" ] && "$bench"
done
source scripts/wine-env.sh
wine_env_start
run_flavour() { # tree, loader
  local bench
  for bench in "$B/$1"/win32_*bench*.exe; do
    [ -f "$bench" ] || continue
    "$2" "$bench" || echo "benchmark failed: $bench"
  done
}
skip32=$(why_no_32bit)
if [ -n "$skip32" ]; then
  echo "32-bit benchmarks skipped: $skip32"
else
  echo "== 32-bit flavour"
  run_flavour win32 "$WINE32"
fi
echo "== 64-bit flavour"
run_flavour win64 "$WINE64"

# One command against the virtual card reader beside the simulated host: what Wine's HID
# stack adds (in prefixes of their own, with the reader installed).
bash scripts/e2e.sh x86_64 bench
[ -n "$skip32" ] || bash scripts/e2e.sh i686 bench
