#!/usr/bin/env bash
# Builds the virtual card reader for one flavour: the driver, its INF, the installer and the
# wait helper, into <build dir>/vreader-<arch>/ (default build/vreader-<arch>).
#   tools/virtual-reader/build.sh i686|x86_64 [output folder]
# The driver, the tools and the Wine loader that runs them must all be of one flavour.
set -euo pipefail
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../.." && pwd)
arch=${1:?usage: build.sh i686|x86_64 [output folder]}
case "$arch" in
  i686) entry=_DriverEntry@8 ;;
  x86_64) entry=DriverEntry ;;
  *) echo "unknown flavour: $arch" >&2; exit 2 ;;
esac
out=${2:-$ROOT/${BUILD_DIR:-build}/vreader-$arch}
mkdir -p "$out"
cc=$arch-w64-mingw32-gcc-posix
warnings=(-Wall -Wextra -Werror)

# Rebuilds `target` only when one of the sources is newer.
stale() {
  local target=$1 src
  shift
  [ -f "$target" ] || return 0
  for src in "$@"; do [ "$src" -nt "$target" ] && return 0; done
  return 1
}

cd "$HERE"
driver_sources=(driver.c registry.c reader_model.c)
if stale "$out/zp350vr.sys" "${driver_sources[@]}" hidport.h registry.h reader_model.h build.sh; then
  $cc "${warnings[@]}" -O2 -ffreestanding -fno-stack-protector -fno-builtin \
    -shared -nostdlib -nostartfiles -Wl,--subsystem,native -Wl,--entry,$entry \
    -o "$out/zp350vr.sys" "${driver_sources[@]}" -lntoskrnl -lhidclass -lhal
fi
if stale "$out/vrsetup.exe" vrsetup.c build.sh; then
  $cc "${warnings[@]}" -O2 -static -o "$out/vrsetup.exe" vrsetup.c -lsetupapi -lnewdev -luuid
fi
if stale "$out/vrwait.exe" vrwait.c build.sh; then
  $cc "${warnings[@]}" -O2 -static -o "$out/vrwait.exe" vrwait.c -lsetupapi -lhid
fi
cp -f zp350vr.inf "$out/zp350vr.inf"
