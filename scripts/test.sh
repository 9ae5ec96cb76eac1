#!/usr/bin/env bash
# Builds both flavours and runs every test: the pure logic natively under the sanitizers,
# each fuzz target briefly over its seed corpus, the Windows code under Wine.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
bash scripts/build.sh

echo "== native tests"
ctest --test-dir $B/native --output-on-failure

echo "== fuzz targets, briefly, over their seed corpus"
bash scripts/fuzz.sh --brief

echo "== Windows tests under Wine"
source scripts/wine-env.sh
wine_env_start
ctest --test-dir $B/win32 --output-on-failure --timeout 600
