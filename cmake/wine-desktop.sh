#!/usr/bin/env bash
# Runs a command on a virtual display of its own, with the Wine services of the
# build's prefix for an architecture started before it and ended after it. The
# services start by a program of their own: they keep the output of whatever
# starts them open, and a test that started them would never end.
#   wine-desktop.sh i686|x86_64 <name>|- <command...>
# "-": the build's own prefix. A name: a prefix of its own beside it,
# <prefix>-<name>, made on first use, so that the tests run this way can run at
# the same time as those that share the build's display and prefix.
set -euo pipefail
arch=$1 name=$2
shift 2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/cmake/wine-env.sh"
if [ "$name" != - ]; then
  base=$(zuru_wine_env "$arch" && echo "$WINEPREFIX")
  if [ "$arch" = x86_64 ]; then
    export ZURU_WINEPREFIX64=$base-$name
  else
    export ZURU_WINEPREFIX=$base-$name
  fi
fi
"$root/script/wine-prefix" "$arch"
zuru_wine_env "$arch"
export ZURU_WINE_LOADER
# shellcheck disable=SC2016  # expanded by the inner shell
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$ZURU_WINE_LOADER" wineboot </dev/null >/dev/null 2>&1
  status=0
  "$@" || status=$?
  wineserver -k 2>/dev/null || true
  exit $status' wine-desktop "$@"
