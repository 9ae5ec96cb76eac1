#!/usr/bin/env bash
# Signs programs and installers in place with osslsigncode (Authenticode, SHA-256):
#   scripts/sign.sh FILE...
# The certificate comes from the environment: SIGN_CERT and SIGN_KEY (PEM files), or
# SIGN_PKCS12 (a PKCS#12 file); SIGN_PASSWORD holds the key's or the PKCS#12 file's password
# where it has one. SIGN_TIMESTAMP_URL adds a time stamp from that RFC 3161 server.
set -euo pipefail
[ $# -gt 0 ] || { echo "usage: scripts/sign.sh FILE..." >&2; exit 2; }

if [ -n "${SIGN_PKCS12:-}" ]; then
  [ -f "$SIGN_PKCS12" ] || { echo "zp350: cannot sign: SIGN_PKCS12 file $SIGN_PKCS12 is missing" >&2; exit 1; }
  signer=(-pkcs12 "$SIGN_PKCS12")
elif [ -n "${SIGN_CERT:-}" ] && [ -n "${SIGN_KEY:-}" ]; then
  for f in "$SIGN_CERT" "$SIGN_KEY"; do
    [ -f "$f" ] || { echo "zp350: cannot sign: $f is missing" >&2; exit 1; }
  done
  signer=(-certs "$SIGN_CERT" -key "$SIGN_KEY")
else
  echo "zp350: cannot sign: give SIGN_CERT and SIGN_KEY, or SIGN_PKCS12" >&2
  exit 1
fi
options=(-h sha256 -n "ZP350 configuration tool")
[ -z "${SIGN_TIMESTAMP_URL:-}" ] || options+=(-ts "$SIGN_TIMESTAMP_URL")

for f in "$@"; do
  rm -f "$f.signed"
  # The password goes through a pipe, never on a command line.
  if ! osslsigncode sign "${signer[@]}" ${SIGN_PASSWORD:+-readpass /dev/stdin} "${options[@]}" \
    -in "$f" -out "$f.signed" >"$f.sign.log" 2>&1 <<<"${SIGN_PASSWORD:-}"; then
    cat "$f.sign.log" >&2
    rm -f "$f.signed" "$f.sign.log"
    echo "zp350: cannot sign $f (osslsigncode's output above)" >&2
    exit 1
  fi
  mv "$f.signed" "$f"
  rm -f "$f.sign.log"
done
