#!/usr/bin/env bash
# Leaves what a user downloads in build/dist: the dialog program and its command-line
# companion in both flavours, an installer per flavour (zp350-<version>-x86.msi and -x64.msi)
# and their SHA-256 sums. The version is the one in CMakeLists.txt.
# Signed when a certificate is given (see scripts/sign.sh): SIGN_CERT and SIGN_KEY, or
# SIGN_PKCS12 with SIGN_PASSWORD; SIGN_TIMESTAMP_URL for a time stamp. The programs are then
# signed before they go into the installers, and the installers after. DIST_DIR=FOLDER
# leaves it all there instead.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
bash scripts/setup.sh >/dev/null
bash scripts/build.sh programs
version=$(sed -n 's/^project(zp350_tool VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "zp350: cannot build the release: no version in CMakeLists.txt" >&2; exit 1; }

D=${DIST_DIR:-$B/dist}
rm -rf "$D"
mkdir -p "$D"
# The reader set-up service's program (zp350svc) goes into the installers only; scripts/msi.sh
# takes it from beside the companion.
PROGRAMS=(zp350tool32.exe zp350tool64.exe zp350cli32.exe zp350cli64.exe zp350svc32.exe
  zp350svc64.exe)
INSTALLERS=("zp350-$version-x86.msi" "zp350-$version-x64.msi")
for p in "${PROGRAMS[@]}"; do
  case $p in
    *32.exe) cp "$B/win32/$p" "$D/" ;;
    *) cp "$B/win64/$p" "$D/" ;;
  esac
done

signed=""
if [ -n "${SIGN_PKCS12:-}" ] || [ -n "${SIGN_CERT:-}${SIGN_KEY:-}" ]; then signed=1; fi
# Rebuilding gives the unsigned programs: their sums are kept for checking a signed release.
if [ -n "$signed" ]; then
  (cd "$D" && sha256sum "${PROGRAMS[@]}" >SHA256SUMS.unsigned)
  (cd "$D" && bash "$ROOT/scripts/sign.sh" "${PROGRAMS[@]}")
fi
bash scripts/msi.sh x86 "$version" "$D/zp350tool32.exe" "$D/zp350cli32.exe" "$D/${INSTALLERS[0]}"
bash scripts/msi.sh x64 "$version" "$D/zp350tool64.exe" "$D/zp350cli64.exe" "$D/${INSTALLERS[1]}"
[ -z "$signed" ] || (cd "$D" && bash "$ROOT/scripts/sign.sh" "${INSTALLERS[@]}")

(cd "$D" && sha256sum "${PROGRAMS[@]}" "${INSTALLERS[@]}" >SHA256SUMS)
echo "dist: $(realpath "$D")"
if [ -n "$signed" ]; then
  echo "dist: programs and installers signed"
else
  echo "dist: unsigned (no certificate given: SIGN_CERT and SIGN_KEY, or SIGN_PKCS12)"
fi
cat "$D/SHA256SUMS"
