#!/usr/bin/env bash
# Builds the program and starts it under Wine: the 32-bit flavour where the host can run
# it, the 64-bit one elsewhere. Without a display it runs on a virtual one and leaves
# screenshots of the welcome and the settings window in build/screenshots.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
bash scripts/build.sh
had_display=${DISPLAY:-}
source scripts/wine-env.sh
wine_env_start
skip32=$(why_no_32bit)
if [ -n "$skip32" ]; then
  loader=$WINE64 exe="$ROOT/$B/win64/zp350tool64.exe"
  echo "starting the 64-bit program ($skip32): $exe"
else
  loader=$WINE32 exe="$ROOT/$B/win32/zp350tool32.exe"
  echo "starting the 32-bit program: $exe"
fi
if [ -n "$had_display" ] && [ -z "$XVFB_PID" ]; then
  "$loader" explorer /desktop=zp350,1024x768 "$exe"
  exit 0
fi
mkdir -p "$B/screenshots"
"$loader" explorer /desktop=zp350,1024x768 "$exe" >/dev/null 2>&1 &
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
