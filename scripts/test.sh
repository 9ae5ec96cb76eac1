#!/usr/bin/env bash
# Builds both flavours and runs every test: the pure logic natively under the sanitizers,
# the Windows code under Wine.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
bash scripts/build.sh

echo "== native tests"
ctest --test-dir $B/native --output-on-failure

echo "== Windows tests under Wine"
source scripts/wine-env.sh
wine_env_start
ctest --test-dir $B/win32 --output-on-failure --timeout 600

# The menu tests leave a picture of a real popup in each look; keep them as PNG.
for f in "$B"/screenshots/menu-*.bmp; do
  [ -e "$f" ] || continue
  convert "$f" "${f%.bmp}.png" && rm -f "$f"
done
