#!/usr/bin/env bash
# End-to-end tests against the virtual card reader, in a Wine prefix of their own with the
# reader's driver installed:
#   scripts/e2e.sh i686|x86_64 [all|tests|cli|watch|service|gui|bench]
#   (default: all = tests, cli, watch, service, gui)
# tests: the program's reader code with the system's own HID calls (e2e_reader_tests);
# cli:   the command-line program's commands (e2e_cli_tests), then the shipped zp350cli
#        itself, a few invocations with their output, exit code and time;
# watch: the reader watcher (the WatchE2e tests of e2e_cli_tests: readers present and plugged
#        in, 20 arrivals in a row, a broken and a vanished profile), then the shipped
#        `zp350cli watch --json` while a second reader is plugged in and pulled out;
# service: the installer given PROFILE installs the reader set-up service, which gives the
#        profile to the reader present and to a second one plugged in afterwards; `zp350cli
#        watch --status` says it runs; the uninstall leaves no service, profile or folder;
# gui:   the program itself, driven with real key presses and clicks up to the version text
#        after Find Device; screenshot in build/screenshots/e2e-find-<arch>.png;
# bench: the cost of one command against the virtual reader beside the simulated host, and
#        the time from a reader's arrival to its profile applied by the watcher (median of 20).
set -euo pipefail
source "$(dirname "$0")/only-64bit.sh"
only_64bit_enter "$0" "$@"
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
arch=${1:?usage: scripts/e2e.sh i686|x86_64 [all|tests|cli|watch|service|gui|bench]}
what=${2:-all}
source scripts/vreader-env.sh
vreader_flavour "$arch"

[ -f "$VR_TREE/build.ninja" ] || bash scripts/build.sh
VR_CLI=${VR_APP/tool/cli}
VR_SVC=${VR_APP/tool/svc}
cmake --build "$VR_TREE" --target "${VR_APP%.exe}" "${VR_CLI%.exe}" "${VR_SVC%.exe}" e2e_reader_tests \
  e2e_cli_tests e2e_window_probe e2e_command_bench

vreader_start "$arch"
export ZP350_VREADER_DIR
ZP350_VREADER_DIR=$(vreader_winpath "$VR_DIR")
export WINEDEBUG=-all

run_tests() {
  echo "== end-to-end tests against the virtual reader ($arch)"
  vreader_run "$VR_TREE/e2e_reader_tests.exe"
}

run_cli() {
  echo "== the command-line program against the virtual reader ($arch)"
  vreader_run "$VR_TREE/e2e_cli_tests.exe" --gtest_filter=-WatchE2e.* || return 1
  local args code start took out
  for args in "list" "set --tracks=1,2 --cr=none" "version"; do
    echo "\$ $VR_CLI $args"
    start=$(date +%s%N)
    # shellcheck disable=SC2086 # the arguments are split on purpose
    out=$(vr_wine "$VR_TREE/$VR_CLI" $args 2>&1 </dev/null) && code=0 || code=$?
    took=$((($(date +%s%N) - start) / 1000000))
    echo "${out//$'\r'/}"
    echo "(exit code $code, ${took} ms with Wine's start-up)"
  done
  # A swipe through a pipe, as a script hands one over: the start-up format's typing of an
  # invented card (the line end stands for the reader's carriage return).
  local swipe='%B5217000000000008^TEST/CARD^2512101?;5217000000000008=2512101?+?'
  echo "\$ printf '%s\\n' '$swipe' | $VR_CLI swipe"
  out=$(printf '%s\n' "$swipe" | vr_wine "$VR_TREE/$VR_CLI" swipe 2>&1) && code=0 || code=$?
  echo "${out//$'\r'/}"
  echo "(exit code $code)"
  [ "$code" -eq 0 ] || { echo "FAILED: the piped swipe does not match the start-up format" >&2; return 1; }
}

run_watch() {
  echo "== the reader watcher against the virtual reader ($arch)"
  vreader_run "$VR_TREE/e2e_cli_tests.exe" --gtest_filter=WatchE2e.* || return 1
  # The shipped program: a second reader plugged in and pulled out while it watches.
  local profile="$BUILD_ROOT/watch-e2e.zp350" out="$BUILD_ROOT/watch-e2e-$arch.jsonl" watcher
  printf 'tracks = 2\ncr = none\n' >"$profile"
  echo "\$ $VR_CLI watch --json --profile watch-e2e.zp350"
  vr_wine "$VR_TREE/$VR_CLI" watch --json --profile "$(vreader_winpath "$profile")" \
    >"$out" 2>&1 </dev/null &
  watcher=$!
  wait_for_line() {
    local tries=0
    until grep -qs "$1" "$out"; do
      tries=$((tries + 1))
      [ $tries -le 150 ] || { echo "FAILED: no line with $1" >&2; cat "$out" >&2; return 1; }
      sleep 0.1
    done
  }
  wait_for_line '"applied", "reader": "[^"]*#0000#' &&
    vr_wine "$VR_DIR/vrsetup.exe" install "$(vreader_winpath "$VR_DIR/zp350vr.inf")" 0001 \
      >>"$VR_LOG" 2>&1 </dev/null &&
    wait_for_line '"applied", "reader": "[^"]*#0001#' &&
    vr_wine "$VR_DIR/vrsetup.exe" remove 0001 >>"$VR_LOG" 2>&1 </dev/null &&
    wait_for_line '"gone", "reader": "[^"]*#0001#'
  local code=$?
  kill "$watcher" >/dev/null 2>&1 || true
  wait "$watcher" 2>/dev/null || true
  cat "$out" | tr -d '\r'
  return $code
}

# The value `name` of virtual reader n's own key, as reg prints it.
reader_value() { # n, name
  vr_wine reg query "${VR_KEY/\\0000\\/\\000$1\\}" /v "$2" 2>/dev/null </dev/null | tr -d '\r' |
    sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}

run_service() {
  echo "== the reader set-up service, installed with PROFILE, against the virtual reader ($arch)"
  local msi_arch=x64 version msi profile format want svc_key fails=0
  [ "$arch" = x86_64 ] || msi_arch=x86
  version=$(sed -n 's/^project(zp350_tool VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
  msi=$BUILD_ROOT/service-e2e-$msi_arch.msi
  bash scripts/msi.sh "$msi_arch" "$version" "$VR_TREE/$VR_APP" "$VR_TREE/$VR_CLI" "$msi"
  profile=$BUILD_ROOT/service-e2e.zp350
  printf 'tracks = 2\ncr = none\n' >"$profile"
  # The reader keeps the format it was sent: tracks 2, no carriage return.
  want=253F3B3F2B3F3230
  svc_key='HKLM\System\CurrentControlSet\Services\ZP350ReaderSetup'
  check() { # what, got, expected
    if [ "$2" = "$3" ]; then echo "ok: $1"; else echo "FAILED: $1: '$2', not '$3'" >&2; fails=$((fails + 1)); fi
  }
  wait_for_format() { # reader n: its kept format, once it is the profile's (or after 15 s)
    local tries=0 got=""
    while [ $tries -lt 150 ]; do
      got=$(reader_value "$1" Format)
      [ "$got" = "$want" ] && break
      tries=$((tries + 1))
      sleep 0.1
    done
    echo "$got"
  }
  vr_wine "$VR_TREE/$VR_CLI" defaults >>"$VR_LOG" 2>&1 </dev/null
  check "before: the reader keeps another format" \
    "$([ "$(reader_value 0 Format)" = "$want" ] && echo the-profile\'s || echo another)" another
  vr_wine msiexec /i "$(vreader_winpath "$msi")" PROFILE="$(vreader_winpath "$profile")" /qn \
    >>"$VR_LOG" 2>&1 </dev/null
  check "msiexec /i with PROFILE, exit code" $? 0
  check "the service starts automatically" \
    "$(vr_wine reg query "$svc_key" /v Start 2>/dev/null </dev/null | tr -d '\r' | sed -n 's/^ *Start *REG_DWORD *//p')" 0x2
  check "the reader present gets the profile" "$(wait_for_format 0)" "$want"
  vr_wine "$VR_DIR/vrsetup.exe" install "$(vreader_winpath "$VR_DIR/zp350vr.inf")" 0001 \
    >>"$VR_LOG" 2>&1 </dev/null
  check "a reader plugged in afterwards gets the profile" "$(wait_for_format 1)" "$want"
  vr_wine "$VR_DIR/vrsetup.exe" remove 0001 >>"$VR_LOG" 2>&1 </dev/null
  local status
  status=$(vr_wine "$VR_TREE/$VR_CLI" watch --status 2>&1 </dev/null | tr -d '\r')
  echo "\$ $VR_CLI watch --status"
  echo "$status"
  check "watch --status" "$(echo "$status" | head -1)" "ZP350 reader set-up: running"
  local programdata
  programdata=$(vr_wine cmd /c echo %ProgramData% 2>/dev/null </dev/null | tr -d '\r')
  programdata=$(vr_wine winepath -u "$programdata" 2>/dev/null </dev/null)
  check "the installed profile" "$(tr -d '\r' <"$programdata/ZP350/profile.zp350" | grep -c -x -e 'tracks = 2' -e 'cr = none')" 2
  vr_wine msiexec /x "$(vreader_winpath "$msi")" /qn >>"$VR_LOG" 2>&1 </dev/null
  check "msiexec /x, exit code" $? 0
  check "uninstalled: no service" "$(vr_wine reg query "$svc_key" >/dev/null 2>&1 </dev/null && echo there || echo none)" none
  check "uninstalled: no event source" "$(vr_wine reg query 'HKLM\System\CurrentControlSet\Services\EventLog\Application\ZP350 reader set-up' >/dev/null 2>&1 </dev/null && echo there || echo none)" none
  check "uninstalled: no profile folder" "$([ -e "$programdata/ZP350" ] && echo there || echo none)" none
  [ $fails -eq 0 ]
}

run_gui() {
  echo "== the program against the virtual reader ($arch): Return, Find Device"
  local shots="$BUILD_ROOT/screenshots" app pos status version="ZP350 VR 1.0"
  mkdir -p "$shots"
  vr_wine "$VR_TREE/$VR_APP" >>"$VR_LOG" 2>&1 </dev/null &
  app=$!
  # Return presses the welcome window's Enter button once the window is in front.
  if ! vreader_probe "" welcome ready 1 >/dev/null; then
    echo "FAILED: the welcome window did not open" >&2
    return 1
  fi
  xdotool key Return
  if ! pos=$(vreader_probe "" settings center 1001); then
    echo "FAILED: the settings window did not open" >&2
    return 1
  fi
  xdotool mousemove ${pos% *} ${pos#* } click 1
  status=$(vreader_probe "$version" settings text 1023) || true
  # The version also comes in an "Information" box; the picture shows it.
  vreader_probe "Information" foreground >/dev/null || true
  import -window root "$shots/e2e-find-$arch.png"
  kill "$app" >/dev/null 2>&1 || true
  if [ "$status" != "$version" ]; then
    echo "FAILED: the status line shows '$status', not the reader's version '$version'" >&2
    return 1
  fi
  echo "Find Device showed the reader's version '$status'; screenshot: $shots/e2e-find-$arch.png"
}

run_bench() {
  echo "== one command against the virtual reader ($arch)"
  vreader_run "$VR_TREE/e2e_command_bench.exe" || return 1
  echo "== a reader plugged in to its profile applied by the watcher, 20 times ($arch)"
  vreader_run "$VR_TREE/e2e_cli_tests.exe" --gtest_filter=WatchE2e.TwentyArrivalsInARow |
    grep '^timing:'
  return "${PIPESTATUS[0]}"
}

case "$what" in
  all) run_tests && run_cli && run_watch && run_service && run_gui ;;
  tests) run_tests ;;
  cli) run_cli ;;
  watch) run_watch ;;
  service) run_service ;;
  gui) run_gui ;;
  bench) run_bench ;;
  *) echo "unknown part '$what'" >&2; exit 2 ;;
esac
