#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix (made by
# script/wine-prefix). The prefix defaults to build/wineprefix beside this file's
# checkout; ZURU_WINEPREFIX overrides it.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${ZURU_WINEPREFIX:-$here/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
