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
# background, and fails at once; so does a program run while it lasts; the
# program named in STAND_IN_FAILING fails on the made prefix too. wineserver -w
# waits for the making to end.
cat >"$work/bin/wine" <<'STAND_IN'
#!/usr/bin/env bash
if [ ! -f "$WINEPREFIX/made" ] && [ ! -f "$WINEPREFIX/making" ]; then
  touch "$WINEPREFIX/making"
  (sleep 1; touch "$WINEPREFIX/made"; rm "$WINEPREFIX/making") >/dev/null 2>&1 &
  echo "wine: could not load kernel32.dll, status c0000135"
  exit 53
fi
[ ! -f "$WINEPREFIX/making" ] || { echo "wine: $1 ran on a half-made prefix"; exit 1; }
[ "$1" != "${STAND_IN_FAILING:-}" ] || { echo "$1: access denied"; exit 1; }
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
wineboot_failed="script/wine-prefix: 'wine wineboot -i' failed (status 1):
wineboot: access denied
script/wine-prefix: its first run, while Wine made the prefix, printed:
wine: could not load kernel32.dll, status c0000135"
# failing program | exit status | what it prints
cases=(
  "|0|ready"
  "reg|1|$reg_failed"
  "wineboot|1|$wineboot_failed"
)
. "$(dirname "${BASH_SOURCE[0]}")/expect.sh"
for case in "${cases[@]}"; do
  IFS='|' read -r -d '' failing want_status want_text <<<"$case"
  want_text=${want_text%$'\n'}
  STAND_IN_FAILING=$failing expect "failing: ${failing:-none}" "$want_status" "$want_text" \
    make_prefix "$work/${failing:-none}"
done
[ "$failed" = 0 ] && echo "wine-prefix: ${#cases[@]} cases passed"
exit "$failed"
