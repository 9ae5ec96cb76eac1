#!/usr/bin/env bash
# Builds the program and starts it under Wine with a virtual card reader plugged in: the
# 32-bit flavour where the host can run it, the 64-bit one elsewhere. ZP350_NO_VREADER=1
# starts it without the reader. Without a display it runs on a virtual one and leaves
# screenshots in build/screenshots: the welcome window, the settings window, its system menu
# in both languages, the save dialog of its "Save profile..." entry and, with the reader, the
# settings window after Find Device and the swipe test with a swipe of the reader; then the
# welcome and settings windows alone, at 96 DPI and at 144 DPI (the pictures of the README).
set -euo pipefail
source "$(dirname "$0")/only-64bit.sh"
only_64bit_enter "$0" "$@"
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
bash scripts/build.sh
had_display=${DISPLAY:-}
source scripts/vreader-env.sh
skip32=$(why_no_32bit)
arch=i686 flavour="32-bit"
if [ -n "$skip32" ]; then
  arch=x86_64 flavour="64-bit"
  echo "the 32-bit program is not started: $skip32"
fi
vreader_flavour "$arch"
if [ -n "${ZP350_NO_VREADER:-}" ]; then
  wine_env_start
  echo "starting the $flavour program, no reader: $VR_TREE/$VR_APP"
else
  vreader_start "$arch"
  echo "starting the $flavour program with the virtual card reader: $VR_TREE/$VR_APP"
fi
if [ -n "$had_display" ] && [ -z "$XVFB_PID" ]; then
  vr_wine "$VR_TREE/$VR_APP"
  exit 0
fi

shots="$ROOT/$B/screenshots"
mkdir -p "$shots"
# The window alone, cut from the screen where the probe finds it.
window_shot() { # welcome|settings, control id, file
  local frame
  frame=$(vreader_probe "" "$1" frame "$2") || return 1
  set -- "$@" $frame
  import -window root -crop "${6}x${7}+${4}+${5}" +repage "$3"
}
vr_wine "$VR_TREE/$VR_APP" >/dev/null 2>&1 &
app=$!
# Each picture is taken once the window it shows is in front and has painted.
vreader_probe "" welcome ready 1 >/dev/null || setup_failed "start the program" "no welcome window"
import -window root "$shots/welcome.png"
window_shot welcome 1 "$shots/welcome-96.png" || true
# Return presses the welcome window's Enter button and opens the settings window.
xdotool key Return
vreader_probe "" settings ready 1001 >/dev/null || setup_failed "open the settings window" \
  "no settings window after Return"
import -window root "$shots/settings.png"
window_shot settings 1001 "$shots/settings-96.png" || true
echo "The program is running on a virtual display; screenshots:"
echo "  $shots/welcome.png (welcome window)"
echo "  $shots/settings.png (settings window)"

# Opens the settings window's system menu with Alt+Space; true once it shows.
open_system_menu() {
  xdotool key alt+space
  vreader_probe "" menu >/dev/null
}
click_control() { # control id of the settings window
  local pos
  pos=$(vreader_probe "" settings center "$1") && xdotool mousemove ${pos% *} ${pos#* } click 1
}
# The system menu in English and in Chinese, then the save dialog of its "Save profile..."
# entry (Up from the last entry, About, over the separator), cancelled again.
if open_system_menu; then
  import -window root "$shots/system-menu.png"
  echo "  $shots/system-menu.png (the system menu with the profile entries)"
fi
xdotool key Escape
click_control 1002 # Chinese
if open_system_menu; then
  import -window root "$shots/system-menu-chinese.png"
  echo "  $shots/system-menu-chinese.png (the same in Chinese)"
fi
xdotool key Escape
click_control 1003 # English
# Up from the last entry, About, over the separator: the swipe test, then "Save profile...".
if open_system_menu && xdotool key Up Up Up Return &&
  vreader_probe "Save profile" foreground >/dev/null; then
  import -window root "$shots/save-profile.png"
  echo "  $shots/save-profile.png (the save dialog of \"Save profile...\")"
  xdotool key Escape
fi
if [ -z "${ZP350_NO_VREADER:-}" ] && pos=$(vreader_probe "" settings center 1001); then
  xdotool mousemove ${pos% *} ${pos#* } click 1
  # Find Device ends with the reader's version in an "Information" box.
  vreader_probe "Information" foreground >/dev/null || true
  import -window root "$shots/found.png"
  echo "  $shots/found.png (after Find Device: the reader's version)"
  # The swipe test with what the reader types: a test card, "Set Device" (the reader then
  # types that card with the form's format), and its typing sent into the swipe test.
  xdotool key Escape
  probe=$VR_TREE/e2e_window_probe.exe
  vr_wine "$probe" card "B5217000000000008^TEST/CARD^2512101" "5217000000000008=2512101" "" \
    </dev/null >/dev/null 2>&1 || true
  click_control 1020
  vreader_probe "Information" foreground >/dev/null && xdotool key Escape
  if open_system_menu && xdotool key Up Up Return &&
    vreader_probe "Swipe test" foreground >/dev/null &&
    vr_wine "$probe" swipe </dev/null >/dev/null 2>&1; then
    sleep 1
    import -window root "$shots/swipe-test.png"
    echo "  $shots/swipe-test.png (the swipe test with a swipe of the virtual reader)"
    xdotool key Escape
  fi
fi
kill "$app" >/dev/null 2>&1 || true

# The welcome and settings windows at 144 DPI (150 %), as the program shows them on such a
# display: LogPixels is read when a program starts, and the settings window is then wider than
# the 1024 x 768 screen, so the display starts again, larger, for these pictures; 96 DPI and
# the usual size are set back afterwards.
wait "$app" 2>/dev/null || true
wine_env_stop
ZP350_SCREEN=1600x1200 start_display
set_desktop 1600x1200
set_dpi 144
wineserver -k >/dev/null 2>&1 || true # the desktop takes its new size when Wine starts again
wineserver -w >/dev/null 2>&1 || true
vr_wine "$VR_TREE/$VR_APP" >/dev/null 2>&1 &
app=$!
if vreader_probe "" welcome ready 1 >/dev/null && window_shot welcome 1 "$shots/welcome-144.png"; then
  echo "  $shots/welcome-144.png (the welcome window at 144 DPI)"
  xdotool key Return
  if vreader_probe "" settings ready 1001 >/dev/null &&
    window_shot settings 1001 "$shots/settings-144.png"; then
    echo "  $shots/settings-144.png (the settings window at 144 DPI)"
  fi
fi
kill "$app" >/dev/null 2>&1 || true
wait "$app" 2>/dev/null || true
set_dpi 96
set_desktop 1024x768
