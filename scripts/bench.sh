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
