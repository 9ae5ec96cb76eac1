#!/usr/bin/env bash
# Leaves what a user downloads in build/dist: both programs and their SHA-256 sums.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
bash scripts/build.sh
rm -rf "$B/dist"
mkdir -p "$B/dist"
cp "$B/win32/zp350tool32.exe" "$B/win64/zp350tool64.exe" "$B/dist/"
(cd "$B/dist" && sha256sum zp350tool32.exe zp350tool64.exe >SHA256SUMS)
echo "dist: $ROOT/$B/dist"
cat "$B/dist/SHA256SUMS"
