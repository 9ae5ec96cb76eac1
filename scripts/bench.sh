#!/usr/bin/env bash
# Builds and runs the benchmarks: native ones directly, Windows ones under Wine.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
bash scripts/build.sh
for bench in "$B"/native/native_*bench*; do
  [ -x "$bench" ] && "$bench"
done
source scripts/wine-env.sh
wine_env_start
for bench in "$B"/win32/win32_*bench*.exe; do
  [ -f "$bench" ] && wine "$bench"
done

# One command against the virtual card reader beside the simulated host: what Wine's HID
# stack adds (in prefixes of their own, with the reader installed).
bash scripts/e2e.sh x86_64 bench
[ -n "$(why_no_32bit)" ] || bash scripts/e2e.sh i686 bench
