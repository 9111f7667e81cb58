#!/usr/bin/env bash
# Makes the setup program from a finished ZURU.EXE: a copy of it goes in with
# the time of the sources (cmake/stamp-source-date.sh), so that the same
# sources give the same setup program. With ZURU_SIGN_CERT and ZURU_SIGN_KEY
# (PEM files) ZURU.EXE is signed before it goes in, and so are the uninstaller
# that the setup program writes and the setup program itself (cmake/sign.sh).
#
#   make-setup.sh <ZURU.EXE> <payload dir> <setup.exe> <version> <product> <company>
#                 <copyright line> [amd64]
#
# <payload dir> holds what went in, as script/release zips it: ZURU.EXE, and
# LICENSE.txt and NOTICES.txt (the sources' LICENSE and NOTICES with CRLF line
# ends, for Notepad on every Windows), which the setup program installs.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
zuru=$1 payload=$2 setup=$3 version=$4 product=$5 company=$6 copyright=$7 target=${8:-}
mkdir -p "$payload"
cp -f "$zuru" "$payload/ZURU.EXE"
for text in LICENSE NOTICES; do
  sed 's/\r$//; s/$/\r/' "$here/../$text" >"$payload/$text.txt"
done
options=()
[ "$target" = amd64 ] && options+=(-DTARGET_AMD64)
signing=0
if [ -n "${ZURU_SIGN_CERT:-}" ] && [ -n "${ZURU_SIGN_KEY:-}" ]; then
  signing=1
  export ZURU_PRODUCT_NAME=$product  # the signature's description, also the uninstaller's
  "$here/../cmake/sign.sh" "$payload/ZURU.EXE"
  options+=("-DSIGN_COMMAND=$here/../cmake/sign.sh")
fi
"$here/../cmake/stamp-source-date.sh" "$here/.." "$payload/ZURU.EXE" "$payload/LICENSE.txt" \
  "$payload/NOTICES.txt"
makensis -V2 "${options[@]}" -DZURU_EXE="$payload/ZURU.EXE" -DOUTFILE="$setup" \
  -DVERSION="$version" -DOUR_PRODUCT="$product" -DOUR_COMPANY="$company" \
  -DOUR_COPYRIGHT="$copyright" -DLICENSE_TXT="$payload/LICENSE.txt" \
  -DNOTICES_TXT="$payload/NOTICES.txt" "$here/zuru.nsi"
if [ "$signing" = 1 ]; then
  "$here/../cmake/sign.sh" "$setup"
fi
