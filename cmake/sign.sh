#!/usr/bin/env bash
# Signs a Windows program in place with Authenticode (osslsigncode), with the
# certificate and key named by ZURU_SIGN_CERT and ZURU_SIGN_KEY (PEM files),
# under the product's name ZURU_PRODUCT_NAME (install/make-setup.sh sets it).
#   sign.sh <program>
set -eu
file=$1
osslsigncode sign -certs "$ZURU_SIGN_CERT" -key "$ZURU_SIGN_KEY" \
  -n "$ZURU_PRODUCT_NAME" -h sha256 -in "$file" -out "$file.signed" >/dev/null
mv -f "$file.signed" "$file"
