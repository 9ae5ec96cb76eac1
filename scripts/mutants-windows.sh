#!/usr/bin/env bash
# How many planted faults the Wine tests catch in the code that calls Windows: the sources of
# app/, controls/, menu/ and reader/ that call the system, one small fault at a time
# (../shared/tools/mutants.py), each mutant built in the 64-bit tree and judged by the Wine
# test programs that cover its folder (scripts/mutants-windows-step.sh). Not part of
# `make test`: 40 mutants take about half an hour on two cores.
#   scripts/mutants-windows.sh [--max N] [--seed S] [FILE...]
# Left out: reader/hid_api.cpp (the binding to the system's own HID calls, which only the
# end-to-end tests against the virtual reader reach) and app/setup_app.cpp (the start-up,
# which `make run` and the end-to-end window test drive).
set -euo pipefail
source "$(dirname "$0")/only-64bit.sh"
only_64bit_enter "$0" "$@"
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
bash scripts/setup.sh >/dev/null
max=40 seed=1 files=()
while [ $# -gt 0 ]; do
  case $1 in
    --max) max=$2; shift 2 ;;
    --seed) seed=$2; shift 2 ;;
    *) files+=("$1"); shift ;;
  esac
done
if [ ${#files[@]} -eq 0 ]; then
  for dir in app controls menu reader; do
    up=$(echo "$dir" | tr a-z A-Z)
    for f in $(sed -n "/${up}_WIN32_SOURCES/,/)/p" "$dir/sources.cmake" |
      tr ' ()' '\n\n\n' | grep '\.cpp$'); do
      case "$dir/$f" in reader/hid_api.cpp | app/setup_app.cpp) continue ;; esac
      files+=("$dir/$f")
    done
  done
fi
# The step script finds the mutated file by comparing the scratch copy with these.
export ZP350_MUTANTS_ORIGIN=$ROOT
export ZP350_MUTANTS_FILES="${files[*]}"
start=$(date +%s)
python3 ../shared/tools/mutants.py --max "$max" --seed "$seed" --timeout 300 \
  --build-cmd "bash scripts/mutants-windows-step.sh build" \
  --test-cmd "bash scripts/mutants-windows-step.sh test" "${files[@]}"
echo "took $(( ($(date +%s) - start) / 60 )) min"
