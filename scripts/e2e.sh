#!/usr/bin/env bash
# End-to-end tests against the virtual card reader, in a Wine prefix of their own with the
# reader's driver installed:
#   scripts/e2e.sh i686|x86_64 [all|tests|cli|watch|gui|bench]
#   (default: all = tests, cli, watch, gui)
# tests: the program's reader code with the system's own HID calls (e2e_reader_tests);
# cli:   the command-line program's commands (e2e_cli_tests), then the shipped zp350cli
#        itself, a few invocations with their output, exit code and time;
# watch: the reader watcher (the WatchE2e tests of e2e_cli_tests: readers present and plugged
#        in, 20 arrivals in a row, a broken and a vanished profile), then the shipped
#        `zp350cli watch --json` while a second reader is plugged in and pulled out;
# gui:   the program itself, driven with real key presses and clicks up to the version text
#        after Find Device; screenshot in build/screenshots/e2e-find-<arch>.png;
# bench: the cost of one command against the virtual reader beside the simulated host.
set -euo pipefail
source "$(dirname "$0")/only-64bit.sh"
only_64bit_enter "$0" "$@"
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
arch=${1:?usage: scripts/e2e.sh i686|x86_64 [all|tests|cli|watch|gui|bench]}
what=${2:-all}
source scripts/vreader-env.sh
vreader_flavour "$arch"

[ -f "$VR_TREE/build.ninja" ] || bash scripts/build.sh
VR_CLI=${VR_APP/tool/cli}
cmake --build "$VR_TREE" --target "${VR_APP%.exe}" "${VR_CLI%.exe}" e2e_reader_tests e2e_cli_tests \
  e2e_window_probe e2e_command_bench

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
  vreader_run "$VR_TREE/e2e_command_bench.exe"
}

case "$what" in
  all) run_tests && run_cli && run_watch && run_gui ;;
  tests) run_tests ;;
  cli) run_cli ;;
  watch) run_watch ;;
  gui) run_gui ;;
  bench) run_bench ;;
  *) echo "unknown part '$what'" >&2; exit 2 ;;
esac
