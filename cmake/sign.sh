#!/usr/bin/env bash
# Signs a Windows program in place with Authenticode (osslsigncode), with the
# certificate and key named by ZURU_SIGN_CERT and ZURU_SIGN_KEY (PEM files).
#   sign.sh <program>
set -eu
file=$1
osslsigncode sign -certs "$ZURU_SIGN_CERT" -key "$ZURU_SIGN_KEY" \
  -n "ZURU Adventure Options" -h sha256 -in "$file" -out "$file.signed" >/dev/null
mv -f "$file.signed" "$file"
