# Sourced by the run, test and bench scripts: a Wine prefix of the project's own under
# build/, a virtual display when there is none, and one wineserver kept for the whole run.
# Call wine_env_start; everything it starts is stopped when the calling shell exits.
#
# The prefix is a 64-bit one, made by the 64-bit loader, which every 64-bit host can execute.
# 32-bit programs run in it too (Wine's WoW64) where the host can execute 32-bit programs;
# set ZP350_64BIT_ONLY=1 to take the 64-bit-only path on any host.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_ROOT="$ROOT/${BUILD_DIR:-build}"
export WINEPREFIX="$BUILD_ROOT/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINE64=/usr/lib/wine/wine64
export WINE32=/usr/lib/wine/wine
XVFB_PID=""

# One line naming the set-up step that cannot work and why, then the caller stops.
setup_failed() {
  echo "zp350: cannot $1: $2" >&2
  exit 1
}

# Why 32-bit programs cannot run here, or nothing when they can.
why_no_32bit() {
  if [ -n "${ZP350_64BIT_ONLY:-}" ]; then
    echo "ZP350_64BIT_ONLY is set"
  elif ! "$WINE32" --version >/dev/null 2>&1; then
    echo "this host cannot execute 32-bit programs ($WINE32 does not start)"
  fi
}

# One virtual desktop of `size` for every program of the prefix: windows live inside it, so
# showing and hiding them never waits on a window manager that a bare X server does not have.
set_desktop() { # size
  "$WINE64" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f \
    >/dev/null 2>&1 &&
    "$WINE64" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d "$1" \
      /f >/dev/null 2>&1
}

# The DPI Wine hands the programs started after it (LogPixels, read when a program starts),
# set through `run`: the 64-bit loader unless another is given (run_in_plain_prefix).
set_dpi() { # dpi [run]
  "${2:-$WINE64}" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
    >/dev/null 2>&1
}

wine_env_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" >/dev/null 2>&1 || true; fi
}

start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
  command -v Xvfb >/dev/null || setup_failed "start a virtual display" "Xvfb is not installed"
  local n
  for n in $(seq 91 120); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${ZP350_SCREEN:-1024x768}x24" -nolisten tcp >"$BUILD_ROOT/xvfb.log" 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$XVFB_PID" >/dev/null 2>&1 || true
    XVFB_PID=""
  done
  setup_failed "start a virtual display" "Xvfb did not come up on :91 to :120 (see $BUILD_ROOT/xvfb.log)"
}

# One step of making a prefix, its output in the prefix's log; when it fails, the step and its
# exit code are named (a step that fails silently would leave the caller with nothing to go on).
prefix_step() { # what, command...
  local what=$1 code=0
  shift
  "$@" >>"$PREFIX_LOG" 2>&1 </dev/null || code=$?
  [ "$code" = 0 ] ||
    echo "zp350: making the Wine prefix $WINEPREFIX: $what failed (exit code $code)" >&2
  return "$code"
}

make_prefix() {
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  : >"$PREFIX_LOG"
  prefix_step "wineboot" "$WINE64" wineboot -i || return 1
  prefix_step "waiting for wineboot's programs" wineserver -w || return 1
  # Chinese glyphs come from a CJK font linked behind the dialog fonts.
  local f
  for f in "Microsoft Sans Serif" "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "MS Sans Serif" "System"; do
    prefix_step "linking a CJK font behind $f" "$WINE64" reg add \
      'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$f" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f || return 1
  done
  # Windows' "System" font gives dialogs 8 x 16 base units; Wine's stand-in is smaller and
  # would cut the welcome window short of its picture. A font of the same width stands in.
  prefix_step "a stand-in for the System font" "$WINE64" reg add \
    'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v System /t REG_SZ /d 'DejaVu Sans Mono' /f || return 1
  for f in "宋体" "SimSun"; do
    prefix_step "a stand-in for $f" "$WINE64" reg add \
      'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
      /v "$f" /t REG_SZ /d 'WenQuanYi Micro Hei' /f || return 1
  done
  prefix_step "the virtual desktop" set_desktop 1024x768 || return 1
  prefix_step "waiting for the registry" wineserver -w || return 1
  # Wine's own Marlett (package fonts-wine) draws the title bars' buttons, as Windows' does;
  # this Wine does not look for it where the package puts it.
  prefix_step "copying Wine's Marlett font (package fonts-wine)" \
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" || return 1
}

# Makes the prefix unless it is made; a making that fails (Wine now and then loses a step on a
# loaded host) is tried once more from nothing.
create_prefix() {
  [ -f "$WINEPREFIX/.zp350-ready-3" ] && return
  PREFIX_LOG="$BUILD_ROOT/wineboot-$(basename "$WINEPREFIX").log"
  echo "creating the Wine prefix $(basename "$WINEPREFIX") (once)..."
  local try
  for try in 1 2; do
    if make_prefix; then
      touch "$WINEPREFIX/.zp350-ready-3"
      return
    fi
    wineserver -k >/dev/null 2>&1 || true
    [ "$try" = 2 ] || echo "zp350: making the Wine prefix once more" >&2
  done
  tail -n 20 "$PREFIX_LOG" >&2
  setup_failed "create the Wine prefix" "see $PREFIX_LOG"
}

# Runs a Windows program in a second prefix, build/wineprefix-plain, made as a user's would
# be: none of the project's font settings, only the virtual desktop that a bare X server
# needs. Made once; its wineserver is stopped after the run. Call after wine_env_start.
run_in_plain_prefix() { # program, arguments...
  local prefix="$BUILD_ROOT/wineprefix-plain" code=0
  if [ ! -f "$prefix/.zp350-ready" ]; then
    rm -rf "$prefix"
    mkdir -p "$prefix"
    echo "creating a plain Wine prefix (once)..."
    WINEPREFIX=$prefix "$WINE64" wineboot -i >"$BUILD_ROOT/wineboot-plain.log" 2>&1 ||
      setup_failed "create a plain Wine prefix" "wineboot failed (see $BUILD_ROOT/wineboot-plain.log)"
    WINEPREFIX=$prefix wineserver -w
    WINEPREFIX=$prefix set_desktop 1024x768
    WINEPREFIX=$prefix wineserver -w
    touch "$prefix/.zp350-ready"
  fi
  WINEPREFIX=$prefix "$WINE64" "$@" </dev/null || code=$?
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  return "$code"
}

wine_env_start() {
  mkdir -p "$BUILD_ROOT"
  [ -x "$WINE64" ] || setup_failed "start Wine" "$WINE64 is missing (scripts/setup.sh installs Wine)"
  trap wine_env_stop EXIT
  start_display
  create_prefix
  wineserver -p >/dev/null 2>&1 </dev/null ||
    setup_failed "start Wine" "the wineserver of $WINEPREFIX does not start"
  # Start Wine's own services and desktop now, with their output going nowhere: started
  # later by a test program they would hold its output pipe open and stall the caller.
  "$WINE64" cmd /c exit >/dev/null 2>&1 </dev/null ||
    setup_failed "start Wine" "the prefix $WINEPREFIX does not run a program"
}
