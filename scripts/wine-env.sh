# Sourced by the run and test scripts: a Wine prefix of the project's own under build/,
# a virtual display when there is none, and one wineserver kept for the whole run.
# Call wine_env_start; everything it starts is stopped when the calling shell exits.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_ROOT="$ROOT/${BUILD_DIR:-build}"
export WINEPREFIX="$BUILD_ROOT/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
XVFB_PID=""

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" >/dev/null 2>&1 || true; fi
}

start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
  local n
  for n in $(seq 91 120); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$BUILD_ROOT/xvfb.log" 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return
      sleep 0.1
    done
    kill "$XVFB_PID" >/dev/null 2>&1 || true
    XVFB_PID=""
  done
  echo "no virtual display could be started" >&2
  return 1
}

create_prefix() {
  [ -f "$WINEPREFIX/.zp350-ready-2" ] && return
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  echo "creating the Wine prefix (once)..."
  wineboot -i >/dev/null 2>&1
  wineserver -w
  # Chinese glyphs come from a CJK font linked behind the dialog fonts.
  local f
  for f in "Microsoft Sans Serif" "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "MS Sans Serif" "System"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$f" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  # Windows' "System" font gives dialogs 8 x 16 base units; Wine's stand-in is smaller and
  # would cut the welcome window short of its picture. A font of the same width stands in.
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v System /t REG_SZ /d 'DejaVu Sans Mono' /f >/dev/null 2>&1
  for f in "宋体" "SimSun"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
      /v "$f" /t REG_SZ /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  # One virtual desktop for every program: windows live inside it, so showing and hiding
  # them never waits on a window manager that a bare X server does not have.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d 1024x768 /f \
    >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.zp350-ready-2"
}

wine_env_start() {
  mkdir -p "$BUILD_ROOT"
  trap wine_env_stop EXIT
  start_display
  create_prefix
  wineserver -p >/dev/null 2>&1 </dev/null
  # Start Wine's own services and desktop now, with their output going nowhere: started
  # later by a test program they would hold its output pipe open and stall the caller.
  wine cmd /c exit >/dev/null 2>&1 </dev/null
}
