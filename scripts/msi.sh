#!/usr/bin/env bash
# Builds the installer of one flavour from installer/zp350.wxs with wixl:
#   scripts/msi.sh x86|x64 VERSION TOOL.exe CLI.exe OUT.msi
# Its identities come from the flavour's fixed upgrade code: the product code from the
# version, the package code from the version and the programs' bytes, the components' from
# their names. Building again from the same inputs gives the same identities.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
usage="usage: scripts/msi.sh x86|x64 VERSION TOOL.exe CLI.exe OUT.msi"
[ $# -eq 5 ] || { echo "$usage" >&2; exit 2; }
arch=$1 version=$2 tool=$3 cli=$4 out=$5
# Each flavour's upgrade code; each package also removes the other flavour (one product per
# machine: installer/additions.sql).
x86_upgrade=ADCBB36E-7BF4-4EEB-88A2-DA9617F8B2D1
x64_upgrade=3531F129-24A5-421E-916F-00607AD8DDF8
case $arch in
  x86) upgrade=$x86_upgrade other=$x64_upgrade ;;
  x64) upgrade=$x64_upgrade other=$x86_upgrade ;;
  *) echo "$usage" >&2; exit 2 ;;
esac
# The reader set-up service's program of the flavour, beside the companion (zp350svc64.exe
# beside zp350cli64.exe).
svc=$(dirname "$cli")/$(basename "$cli" | sed 's/zp350cli/zp350svc/')
for f in "$tool" "$cli" "$svc"; do
  [ -f "$f" ] || { echo "zp350: cannot build the $arch installer: $f is missing" >&2; exit 1; }
done

derived() { # name -> a GUID of its own under the upgrade code
  python3 -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' \
    "$upgrade" "$1"
}
contents=$(cat "$tool" "$cli" "$svc" | sha256sum | cut -d' ' -f1)
# wixl finds a Source only by a path relative to the current folder.
tool=$(realpath --relative-to=. "$tool")
cli=$(realpath --relative-to=. "$cli")
svc=$(realpath --relative-to=. "$svc")

wixl -a "$arch" -o "$out" \
  -D Version="$version" -D Arch="$arch" -D UpgradeCode="$upgrade" \
  -D ProductCode="$(derived "product $version")" \
  -D ToolGuid="$(derived "component zp350tool")" -D CliGuid="$(derived "component zp350cli")" \
  -D ProfileTypeGuid="$(derived "component profile type")" \
  -D ProfileOpenGuid="$(derived "component profile open")" \
  -D ReaderSetupGuid="$(derived "component reader set-up service")" -D ServiceFile="$svc" \
  -D ToolFile="$tool" -D CliFile="$cli" "$ROOT/installer/zp350.wxs"

# Then what wixl 0.101 cannot express (installer/additions.sql), and the package code: wixl
# ignores the Package element's Id and draws a random one.
queries=()
while IFS= read -r line; do
  case $line in "" | --*) continue ;; esac
  queries+=(-q "${line//@OtherUpgradeCode@/$other}")
done <"$ROOT/installer/additions.sql"
template=$(msiinfo suminfo "$out" | sed -n 's/^Template: //p')
# msibuild takes -s last: it reads everything after it as summary fields.
msibuild "$out" "${queries[@]}" -s "ZP350 card reader configuration tool and command line" \
  "ZP350 tools" "$template" "{$(derived "package $version $contents")}"
