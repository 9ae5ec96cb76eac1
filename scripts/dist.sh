#!/usr/bin/env bash
# Leaves what a user downloads in build/dist: the dialog program and its command-line
# companion in both flavours, and their SHA-256 sums.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
bash scripts/build.sh
rm -rf "$B/dist"
mkdir -p "$B/dist"
PROGRAMS=(win32/zp350tool32.exe win64/zp350tool64.exe win32/zp350cli32.exe win64/zp350cli64.exe)
for p in "${PROGRAMS[@]}"; do cp "$B/$p" "$B/dist/"; done
(cd "$B/dist" && sha256sum zp350tool32.exe zp350tool64.exe zp350cli32.exe zp350cli64.exe >SHA256SUMS)
echo "dist: $ROOT/$B/dist"
cat "$B/dist/SHA256SUMS"
