#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine.
# Safe to run again: it installs only what is missing.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  fresh_lists=1
fi

for p in g++ cmake make ninja-build googletest libgtest-dev clang-format clang-tidy clang \
  libclang-rt-14-dev \
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 wine32:i386 \
  xvfb xauth x11-utils imagemagick xdotool fonts-wqy-microhei fonts-dejavu-core fonts-wine python3 \
  wixl msitools osslsigncode openssl git xkb-data x11proto-dev; do
  have "$p" || need+=("$p")
done

if [ ${#need[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq || { echo "zp350: cannot install packages: apt-get update failed" >&2; exit 1; }
  apt-get install -y -qq --no-install-recommends "${need[@]}" || {
    echo "zp350: cannot install packages: apt-get install ${need[*]} failed (output above)" >&2
    exit 1
  }
elif [ -n "${fresh_lists:-}" ]; then
  apt-get update -qq
fi
echo "setup: all packages present"
