#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz (clang, libFuzzer, AddressSanitizer, UBSan) into
# <build>/fuzz and runs each of them, printing how many inputs each one executed.
#   scripts/fuzz.sh           each target for FUZZ_SECONDS seconds (default 60); inputs it
#                             finds are kept in <build>/fuzz/corpus for the next run
#   scripts/fuzz.sh --brief   each target over the committed seed corpus, then one second of
#                             new inputs (what `make test` runs)
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
mode=${1:-full}

[ -f "$B/fuzz/build.ninja" ] || CXX=clang++ cmake -S tests/fuzz -B "$B/fuzz" -G Ninja \
  -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$B/fuzz"

if [ "$mode" = --brief ]; then
  seconds=1
else
  seconds=${FUZZ_SECONDS:-60}
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
for src in tests/fuzz/*_fuzz.cpp; do
  name=$(basename "$src" .cpp)
  seeds=tests/fuzz/corpus/$name
  if [ "$mode" = --brief ]; then
    found=$scratch/$name  # new inputs of a brief run are not kept
  else
    found=$B/fuzz/corpus/$name
  fi
  mkdir -p "$found"
  log=$B/fuzz/$name.log
  if "$B/fuzz/$name" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$B/fuzz/$name-" "$found" "$seeds" >"$log" 2>&1; then
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    printf '%-22s %12s inputs in %s s\n' "$name" "${execs:-?}" "$seconds"
  else
    echo "$name FAILED (log: $log; the input that broke it: $B/fuzz/$name-crash-*):"
    tail -n 30 "$log"
    failed=1
  fi
done
exit $failed
