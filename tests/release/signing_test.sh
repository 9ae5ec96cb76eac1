#!/usr/bin/env bash
# Signing, with a throw-away certificate made here (no time-stamp server: no network):
# `make dist` given a certificate and key signs every program and both installers, and the
# installers carry the signed programs; given a PKCS#12 file and its password it signs too;
# every file verifies against the certificate, and a file changed after signing does not.
# Without a certificate the release is unsigned and says so in one line.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
cd "$ROOT"
B=${BUILD_DIR:-build}
source tests/release/checks.sh
W=$ROOT/$B/signing-test
rm -rf "$W"
mkdir -p "$W"

openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=ZP350 test signer" \
  -addext "extendedKeyUsage=codeSigning" -keyout "$W/key.pem" -out "$W/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$W/key.pem" -in "$W/cert.pem" -passout pass:test-only \
  -out "$W/signer.p12"
verifies() { osslsigncode verify -CAfile "$W/cert.pem" -in "$1"; }

echo "== signing with a certificate and key"
DIST_DIR=$W/pem SIGN_CERT=$W/cert.pem SIGN_KEY=$W/key.pem bash scripts/dist.sh >"$W/pem.log" 2>&1 ||
  { cat "$W/pem.log"; fail "make dist with a certificate and key"; }
files=$(cd "$W/pem" && sed 's/^[0-9a-f]* *//' SHA256SUMS)
# Six programs (the tool, the companion and the reader set-up service, in both flavours) and
# two installers.
expect_eq "files listed in SHA256SUMS" "$(echo "$files" | wc -l)" 8
for f in $files; do expect_ok "$f verifies" verifies "$W/pem/$f"; done
expect_ok "SHA256SUMS holds the signed files' sums" bash -c "cd '$W/pem' && sha256sum -c SHA256SUMS"
mkdir -p "$W/inside"
msiextract -C "$W/inside" "$W"/pem/*-x64.msi >/dev/null
expect_ok "the installer's zp350cli.exe is the signed program" \
  cmp "$(find "$W/inside" -name zp350cli.exe)" "$W/pem/zp350cli64.exe"
expect_ok "the installer's zp350svc.exe is the signed program" \
  cmp "$(find "$W/inside" -name zp350svc.exe)" "$W/pem/zp350svc64.exe"

# One byte changed after signing, in a program's code and in an installer's contents.
for f in zp350tool64.exe "$(cd "$W/pem" && ls ./*-x86.msi | sed 's|^\./||')"; do
  cp "$W/pem/$f" "$W/changed-$f"
  python3 -c 'import sys; f = open(sys.argv[1], "r+b"); f.seek(8192); b = f.read(1); f.seek(8192); f.write(bytes([b[0] ^ 1]))' \
    "$W/changed-$f"
  verifies "$W/changed-$f" >/dev/null 2>&1 && fail "$f changed after signing still verifies"
done

echo "== signing with a PKCS#12 file"
DIST_DIR=$W/p12 SIGN_PKCS12=$W/signer.p12 SIGN_PASSWORD=test-only bash scripts/dist.sh \
  >"$W/p12.log" 2>&1 || { cat "$W/p12.log"; fail "make dist with a PKCS#12 file"; }
for f in zp350cli32.exe "$(cd "$W/p12" && ls ./*-x64.msi | sed 's|^\./||')"; do
  expect_ok "$f signed from the PKCS#12 file verifies" verifies "$W/p12/$f"
done

echo "== no certificate"
DIST_DIR=$W/unsigned bash scripts/dist.sh >"$W/unsigned.log" 2>&1 ||
  { cat "$W/unsigned.log"; fail "make dist without a certificate"; }
expect_eq "lines saying it is unsigned" "$(grep -c "^dist: unsigned" "$W/unsigned.log")" 1
verifies "$W/unsigned/zp350tool32.exe" >/dev/null 2>&1 && fail "an unsigned program verifies"
expect_ok "signed programs are the unsigned ones with a signature" \
  bash -c "cd '$W/unsigned' && sha256sum -c '$W/pem/SHA256SUMS.unsigned'"
checks_done "signing tests"
