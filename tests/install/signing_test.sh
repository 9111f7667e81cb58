#!/usr/bin/env bash
# Signing, with a throwaway self-signed certificate made here: the setup program
# made from this build's ZURU.EXE (install/make-setup.sh) signs ZURU.EXE, the
# setup program and the uninstaller it writes; each verifies against the
# certificate, and the signed ZURU.EXE passes the end-to-end tests of its start
# (version record, manifest, dialog) and of its hand-off: a signature only adds
# a certificate table to the file, so what could break is the loading and the
# reading of its own resources; the other end-to-end programs run on the same
# code unsigned.
#   signing_test.sh <arch> <build dir> <version> <product> <company> <copyright line> [amd64]
set -uo pipefail
arch=$1 build=$2 version=$3 product=$4 company=$5 copyright=$6 target=${7:-}
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine_run() { "$root/cmake/wine-run.sh" "$arch" "$@"; }
windows_path() { echo "Z:${1//\//\\}"; }
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

work=$(mktemp -d "$build/signing-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" \
  -days 2 -subj "/CN=ZURU signing test" 2>/dev/null || { echo "no certificate"; exit 1; }
export ZURU_SIGN_CERT=$work/cert.pem ZURU_SIGN_KEY=$work/key.pem
"$root/install/make-setup.sh" "$build/bin/ZURU.EXE" "$work/payload" "$work/setup.exe" \
  "$version" "$product" "$company" "$copyright" $target || { echo "the signed setup program was not made"; exit 1; }

mkdir "$work/simulator"
cp "$build/bin/stubs/zuru2.exe" "$work/simulator/ZURU.EXE"
wine_run "$work/setup.exe" /S "/D=$(windows_path "$work/simulator")" || fail "the signed setup program failed"
for file in payload/ZURU.EXE setup.exe simulator/ZURU.EXE simulator/zuru-uninstall.exe; do
  if osslsigncode verify -CAfile "$work/cert.pem" -in "$work/$file" >"$work/verify.log" 2>&1; then
    echo "ok: $file is signed and verifies"
  else
    cat "$work/verify.log"
    fail "$file does not verify"
  fi
done
wine_run "$work/simulator/zuru-uninstall.exe" /S "_?=$(windows_path "$work/simulator")" ||
  fail "the signed uninstaller failed"

export ZURU_EXE_UNDER_TEST
ZURU_EXE_UNDER_TEST=$(windows_path "$work/payload/ZURU.EXE")
for test in "$build"/bin/e2e_startup_test.exe "$build"/bin/e2e_launch_test.exe; do
  wine_run "$test" >"$work/e2e.log" 2>&1
  status=$?
  # Wine's own report lines go on to CTest, which fails the test on a fault
  # among them (cmake/wine-checks.cmake).
  tr -d '\r' <"$work/e2e.log" | grep -aE '^[0-9a-f]{4,}:(err|warn|fixme|trace):'
  if [ "$status" = 0 ]; then
    echo "ok: $(basename "$test") with the signed ZURU.EXE"
  else
    tr -d '\r' <"$work/e2e.log" | grep -E "Failure|FAILED" | head -20
    fail "$(basename "$test") with the signed ZURU.EXE"
  fi
done
echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
[ "$failures" = 0 ]
