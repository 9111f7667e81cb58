#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's own prefix for its
# architecture (made by script/wine-prefix):
#   wine-run.sh i686|x86_64 <program> [arguments]
set -e
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
zuru_wine_env "$1"
shift
exec "$ZURU_WINE_LOADER" "$@"
