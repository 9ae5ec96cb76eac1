#!/usr/bin/env bash
# The shipped zp350cli writing a profile (profile --output FILE) where the system refuses the
# bytes, run from a shell because only a shell can set a file-size limit for a Windows
# program under Wine:
# - over an existing profile with the file-size limit at 0: the temporary file beside it is
#   made (making a file writes no bytes), and the write that hands the bytes to the system
#   fails (EFBIG, Wine's error 31). Exit 4, the old profile byte-identical, no temporary file
#   left.
# - into Wine's path of /dev/full, a device, which is written directly (a device cannot be
#   replaced by another file): the write fails with "disk full" (error 112). Exit 4, and
#   /dev/full is still the device.
# - over a folder, and over a read-only profile: refused before anything is written; exit 4.
# - a good write replaces a longer profile whole.
# - paths around the length a plain Windows path may have (259, 260) and well past it (300,
#   600): written whole, nothing else left, and read back by apply (which then finds no
#   reader: the test prefix has none).
# Usage: profile_write_test.sh WINE_LOADER ZP350CLI_EXE
set -uo pipefail
wine=$1
cli=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0

check() { # what, expected, actual
  if [ "$2" == "$3" ]; then
    echo "ok: $1"
  else
    echo "FAILED: $1: expected [$2], got [$3]"
    failures=$((failures + 1))
  fi
}
winpath() { echo "Z:${1//\//\\}"; }
# Runs the program: what it printed (both streams, line ends as on Linux) in $out, its exit
# code in $code. "limited" first: with the file-size limit at 0 and SIGXFSZ ignored, so that
# a write past the limit fails instead of ending the process.
run() {
  local limit=unlimited
  if [ "$1" == limited ]; then
    limit=0
    shift
  fi
  out=$(trap '' XFSZ && ulimit -f "$limit" && "$wine" "$cli" "$@" 2>&1 </dev/null)
  code=$?
  out=${out//$'\r'/}
}
# The files in the test folder other than the one named.
others() { find "$dir" -mindepth 1 ! -path "$1" -printf '%f\n' | sort | tr '\n' ' '; }

run profile --tracks=1
expected=$out
profile="$dir/shop.profile"
printf '# my shop\ntracks = 3\n' >"$profile"
old=$(sha256sum <"$profile")

run limited profile --tracks=1 --output "$(winpath "$profile")"
check "write fails: exit code" 4 "$code"
check "write fails: the line" "zp350cli: $(winpath "$profile"): cannot be written (write failed: " \
  "${out%%: general*}: "
check "write fails: Wine's error for EFBIG" "error 31)" "${out##*, }"
check "write fails: the old profile" "$old" "$(sha256sum <"$profile")"
check "write fails: nothing else left" "" "$(others "$profile")"

run profile --tracks=1 --output 'Z:\dev\full'
check "device full: exit code" 4 "$code"
check "device full: the line" 'zp350cli: Z:\dev\full: cannot be written (write failed: disk full, error 112)' "$out"
check "device full: still a device" yes "$([ -c /dev/full ] && echo yes)"

mkdir "$dir/folder"
run profile --tracks=1 --output "$(winpath "$dir/folder")"
check "a folder: exit code" 4 "$code"
check "a folder: the line" "zp350cli: $(winpath "$dir/folder"): cannot be written (it is a folder)" "$out"
check "a folder: it stays" yes "$([ -d "$dir/folder" ] && echo yes)"
check "a folder: nothing else left" "folder shop.profile " "$(others "$dir/none")"
rmdir "$dir/folder"

chmod a-w "$profile"
run profile --tracks=1 --output "$(winpath "$profile")"
check "read-only: exit code" 4 "$code"
check "read-only: the line" "zp350cli: $(winpath "$profile"): cannot be written (the file is read-only)" "$out"
check "read-only: the old profile" "$old" "$(sha256sum <"$profile")"
chmod u+w "$profile"

for _ in $(seq 200); do echo "# an old, longer profile"; done >"$profile"
run profile --tracks=1 --output "$(winpath "$profile")"
check "good write: exit code" 0 "$code"
check "good write: the profile, whole" "$expected" "$(cat "$profile")"
check "good write: nothing else left" "" "$(others "$profile")"

for length in 259 260 300 600; do
  folder="$dir/long"
  while [ $((2 + ${#folder} + 120)) -lt "$length" ]; do
    folder="$folder/$(printf 'd%.0s' $(seq 100))"
  done
  mkdir -p "$folder"
  file="$folder/$(printf 't%.0s' $(seq $((length - 2 - ${#folder} - 1 - 6)))).zp350"
  win=$(winpath "$file")
  check "$length characters: the path's length" "$length" "${#win}"
  run profile --tracks=1 -o "$win"
  check "$length characters: exit code" 0 "$code"
  check "$length characters: the profile, whole" "$expected" "$(cat "$file")"
  check "$length characters: nothing else left" "" "$(find "$folder" -type f ! -path "$file")"
  run apply "$win"
  check "$length characters: read back" "2 zp350cli: No device connected!" "$code $out"
  rm -rf "$dir/long"
done

[ "$failures" -eq 0 ] || exit 1
