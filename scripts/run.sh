#!/usr/bin/env bash
# Builds the program and starts it under Wine. Without a display it runs on a virtual one
# and leaves a screenshot in build/screenshots.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
bash scripts/build.sh
had_display=${DISPLAY:-}
source scripts/wine-env.sh
wine_env_start
exe="$ROOT/$B/win32/zp350tool.exe"
if [ -n "$had_display" ] && [ -z "$XVFB_PID" ]; then
  wine explorer /desktop=zp350,1024x768 "$exe"
  exit 0
fi
mkdir -p $B/screenshots
wine explorer /desktop=zp350,1024x768 "$exe" >/dev/null 2>&1 &
app=$!
sleep "${SCREENSHOT_DELAY:-6}"
shot="$ROOT/$B/screenshots/zp350tool.png"
import -window root "$shot"
echo "The program is running on a virtual display; screenshot: $shot"
kill "$app" >/dev/null 2>&1 || true
