#!/usr/bin/env bash
# Checks that a release can be rebuilt byte for byte: clones the commit checked out here
# twice, into two folders of different names, builds the shipped programs in each, one after
# the other, and compares their SHA-256 sums. Given a published SHA256SUMS, the rebuilt
# programs are also checked against it:
#   scripts/dist-check.sh [SHA256SUMS]
# Only committed work is built. The programs are built unsigned: a signature adds the
# signer's bytes (scripts/dist.sh keeps the unsigned programs' sums in SHA256SUMS.unsigned).
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
published=${1:-}
if [ -n "$published" ]; then
  published=$(realpath "$published")
  [ -f "$published" ] || { echo "zp350: cannot check against $1: no such file" >&2; exit 1; }
fi
bash scripts/setup.sh >/dev/null
PROGRAMS=(win32/zp350tool32.exe win32/zp350cli32.exe win32/zp350svc32.exe win64/zp350tool64.exe
  win64/zp350cli64.exe win64/zp350svc64.exe)
commit=$(git rev-parse HEAD)
W=$ROOT/$B/dist-check
rm -rf "$W"
mkdir -p "$W"

for clone in first another-folder; do
  echo "== dist-check: building $commit in $W/$clone"
  git clone -q --no-checkout "$ROOT" "$W/$clone"
  git -C "$W/$clone" checkout -q "$commit"
  (cd "$W/$clone" && env -u BUILD_DIR bash scripts/build.sh programs >"$W/$clone.log" 2>&1) || {
    cat "$W/$clone.log" >&2
    echo "zp350: cannot rebuild the release in $W/$clone (output above)" >&2
    exit 1
  }
  mkdir -p "$W/$clone-programs"
  for p in "${PROGRAMS[@]}"; do cp "$W/$clone/build/$p" "$W/$clone-programs/"; done
  (cd "$W/$clone-programs" && sha256sum -- * >"$W/$clone.sums")
  cat "$W/$clone.sums"
done

if ! diff -u "$W/first.sums" "$W/another-folder.sums"; then
  echo "dist-check: FAILED: two builds of $commit differ (sums above)" >&2
  exit 1
fi
echo "dist-check: two builds of $commit in two folders give the same programs"

if [ -n "$published" ]; then
  # The programs' lines of the published list; its installers' lines do not apply.
  grep -E '^[0-9a-f]{64} [ *]zp350(tool|cli)(32|64)\.exe$' "$published" >"$W/published.sums" || true
  if [ "$(wc -l <"$W/published.sums")" -ne ${#PROGRAMS[@]} ]; then
    echo "dist-check: FAILED: $published does not list the ${#PROGRAMS[@]} programs" >&2
    exit 1
  fi
  (cd "$W/first-programs" && sha256sum -c "$W/published.sums") || {
    echo "dist-check: FAILED: the rebuilt programs differ from $published" >&2
    exit 1
  }
  echo "dist-check: the rebuilt programs match $published"
fi
