#!/usr/bin/env bash
# script/wine-prefix with stand-ins for Wine: a first program that returns
# before the prefix is made (as Wine's does when making it takes longer than
# Wine waits), and a failing step, which is named with its output.
set -u
script=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/script/wine-prefix
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
export PATH=$work/bin:$PATH
# wine: the first program starts the making of the prefix (a second), in the
# background; a program run while it lasts fails; reg fails with
# STAND_IN_REG_FAILS. wineserver -w waits for the making to end.
cat >"$work/bin/wine" <<'STAND_IN'
#!/usr/bin/env bash
if [ ! -f "$WINEPREFIX/made" ] && [ ! -f "$WINEPREFIX/making" ]; then
  touch "$WINEPREFIX/making"
  (sleep 1; touch "$WINEPREFIX/made"; rm "$WINEPREFIX/making") >/dev/null 2>&1 &
  exit 0
fi
[ ! -f "$WINEPREFIX/making" ] || { echo "wine: $1 ran on a half-made prefix"; exit 1; }
[ "$1" != reg ] || [ -z "${STAND_IN_REG_FAILS:-}" ] || { echo "reg: access denied"; exit 1; }
STAND_IN
cat >"$work/bin/wineserver" <<'STAND_IN'
#!/usr/bin/env bash
for _ in $(seq 100); do [ -f "$WINEPREFIX/making" ] || exit 0; sleep 0.1; done
exit 1
STAND_IN
chmod +x "$work/bin/wine" "$work/bin/wineserver"

make_prefix() {  # prefix folder; prints the script's output and whether it is ready
  ZURU_WINEPREFIX=$1 "$script" i686 2>&1
  local status=$?
  [ ! -f "$1/.zuru-ready" ] || echo ready
  return "$status"
}
reg_failed="script/wine-prefix: 'wine reg add HKCU\\Software\\Wine\\WineDbg /v ShowCrashDialog /t REG_DWORD /d 0 /f' failed (status 1):
reg: access denied"
. "$(dirname "${BASH_SOURCE[0]}")/expect.sh"
expect "a prefix made after the first program returned" 0 ready make_prefix "$work/slow"
STAND_IN_REG_FAILS=1 expect "a step that fails" 1 "$reg_failed" make_prefix "$work/failing"
[ "$failed" = 0 ] && echo "wine-prefix: 2 cases passed"
exit "$failed"
