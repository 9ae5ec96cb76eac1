# Sourced by the end-to-end tests, the benchmarks and the run script: a Wine prefix of its
# own with the virtual card reader installed, per flavour.
#
#   source scripts/vreader-env.sh
#   vreader_start i686|x86_64     # display, prefix, driver built and installed, reader present
#   vreader_run <program.exe> [args...]   # runs it in that prefix; output in $VR_LOG too
#   vreader_install / vreader_remove      # plug the reader in or pull it out
#
# The prefix is build/wineprefix-vr-<arch>, apart from the test prefix (whose tests expect no
# reader among Wine's devices). One run at a time uses a prefix (a lock serialises them);
# everything started is stopped when the calling shell exits.

source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

VR_ARCH=""
VR_LOADER=""
VR_TREE=""
VR_APP=""
VR_DIR=""
VR_LOG=""
# The reader's own registry key: its steering values and what it recorded.
VR_KEY='HKLM\System\CurrentControlSet\Enum\ROOT\VID_5131&PID_2007\0000\Device Parameters'

# Sets the flavour: loader, build tree, program, prefix and the folder of the driver and
# its tools. Like the test prefix, each prefix is a 64-bit one; the 32-bit flavour runs in
# it through Wine's WoW64 where the host can execute 32-bit programs.
vreader_flavour() {
  VR_ARCH=$1
  case "$VR_ARCH" in
    i686)
      local why
      why=$(why_no_32bit)
      [ -z "$why" ] || setup_failed "run the 32-bit virtual reader" "$why"
      VR_LOADER=$WINE32 VR_TREE="$BUILD_ROOT/win32" VR_APP=zp350tool32.exe
      ;;
    x86_64) VR_LOADER=$WINE64 VR_TREE="$BUILD_ROOT/win64" VR_APP=zp350tool64.exe ;;
    *) echo "unknown flavour '$VR_ARCH' (i686 or x86_64)" >&2; return 2 ;;
  esac
  VR_DIR="$VR_TREE/vreader"
  VR_LOG="$BUILD_ROOT/vreader-$VR_ARCH.log"
  export WINEPREFIX="$BUILD_ROOT/wineprefix-vr-$VR_ARCH"
}

# The Windows path of a file under the build folder, as the prefix sees it (drive Z:).
vreader_winpath() {
  echo "Z:$(readlink -f "$1" | tr / '\\')"
}

vr_wine() {
  "$VR_LOADER" "$@"
}

VR_LOCK=""

vreader_stop() {
  wine_env_stop
  if [ -n "$VR_LOCK" ]; then rm -rf "$VR_LOCK"; VR_LOCK=""; fi
}

# Waits until no other run uses this flavour's prefix. The lock is a folder holding the
# owner's pid (no open descriptor that background programs could inherit); a lock whose
# owner is gone is taken over.
vreader_lock() {
  local lock="$WINEPREFIX.lock" owner waited=0
  until mkdir "$lock" 2>/dev/null; do
    owner=$(cat "$lock/pid" 2>/dev/null || true)
    if [ -n "$owner" ] && ! kill -0 "$owner" 2>/dev/null; then
      rm -rf "$lock"
      continue
    fi
    [ $waited -eq 0 ] && echo "waiting for another run in $WINEPREFIX..."
    waited=$((waited + 1))
    sleep 1
  done
  echo $$ >"$lock/pid"
  VR_LOCK=$lock
}

vreader_build() {
  cmake --build "$VR_TREE" --target virtual_reader >>"$VR_LOG" 2>&1 ||
    setup_failed "build the virtual reader" "see $VR_LOG"
}

# The installer copies the driver only once; a driver rebuilt since then replaces the
# installed copy here, while no Wine process of the prefix has it loaded.
vreader_refresh_driver() {
  local installed
  wineserver -k >/dev/null 2>&1 || true
  for installed in "$WINEPREFIX"/drive_c/windows/{system32,syswow64}/drivers/zp350vr.sys; do
    if [ -f "$installed" ] && ! cmp -s "$installed" "$VR_DIR/zp350vr.sys"; then
      cp -f "$VR_DIR/zp350vr.sys" "$installed"
    fi
  done
}

# Installs the reader (or installs it again) and waits until programs can see it.
vreader_install() {
  vr_wine "$VR_DIR/vrsetup.exe" install "$(vreader_winpath "$VR_DIR/zp350vr.inf")" \
    >>"$VR_LOG" 2>&1 </dev/null
  vr_wine "$VR_DIR/vrwait.exe" present 15000 >>"$VR_LOG" 2>&1 </dev/null
}

vreader_remove() {
  vr_wine "$VR_DIR/vrsetup.exe" remove >>"$VR_LOG" 2>&1 </dev/null
  vr_wine "$VR_DIR/vrwait.exe" absent 15000 >>"$VR_LOG" 2>&1 </dev/null
}

# Puts the reader's steering values back to its defaults and forgets what it received.
vreader_reset() {
  local v
  for v in Answer Version Silent DelayMs Unplug Unplugging Received Card Typed; do
    vr_wine reg delete "$VR_KEY" /v "$v" /f >/dev/null 2>&1 </dev/null || true
  done
}

vreader_start() {
  vreader_flavour "$1" || return
  mkdir -p "$BUILD_ROOT"
  : >"$VR_LOG"
  vreader_build
  trap vreader_stop EXIT
  trap 'exit 130' INT TERM
  vreader_lock
  start_display
  # Set up like the test prefix: fonts, one virtual desktop.
  create_prefix
  vreader_refresh_driver
  wineserver -p >/dev/null 2>&1 </dev/null
  vr_wine cmd /c exit >/dev/null 2>&1 </dev/null
  vreader_reset
  # Only the first reader: a second one a stopped run left behind goes.
  vr_wine "$VR_DIR/vrsetup.exe" remove 0001 >/dev/null 2>&1 </dev/null || true
  vreader_install || setup_failed "install the virtual reader" "see $VR_LOG"
}

# Asks the window probe (a test tool of the build) about the program's windows until it
# succeeds (and, with `want`, prints exactly that); prints its output.
vreader_probe() {
  local want=$1 out
  shift
  for _ in $(seq 150); do
    if out=$(vr_wine "$VR_TREE/e2e_window_probe.exe" "$@" 2>/dev/null </dev/null | tr -d '\r'); then
      if [ -z "$want" ] || [ "$out" = "$want" ]; then
        echo "$out"
        return 0
      fi
    fi
    sleep 0.2
  done
  echo "$out"
  return 1
}

# Runs a program in the prefix; its output goes to the terminal and to the log.
vreader_run() {
  vr_wine "$@" 2>&1 </dev/null | tee -a "$VR_LOG"
  return "${PIPESTATUS[0]}"
}
