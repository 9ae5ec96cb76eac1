#!/usr/bin/env bash
# Builds the program and starts it under Wine. Without a display it runs on a virtual one
# and leaves screenshots of the welcome and the settings window in build/screenshots.
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
mkdir -p "$B/screenshots"
wine explorer /desktop=zp350,1024x768 "$exe" >/dev/null 2>&1 &
app=$!
delay=${SCREENSHOT_DELAY:-5}
sleep "$delay"
import -window root "$ROOT/$B/screenshots/welcome.png"
# Return presses the welcome window's Enter button and opens the settings window.
xdotool key Return
sleep 3
import -window root "$ROOT/$B/screenshots/settings.png"
echo "The program is running on a virtual display; screenshots:"
echo "  $ROOT/$B/screenshots/welcome.png (welcome window)"
echo "  $ROOT/$B/screenshots/settings.png (settings window)"
kill "$app" >/dev/null 2>&1 || true
