#!/usr/bin/env bash
# script/test-i686 ended while its emulated machine runs (a stand-in for qemu
# that runs until ended): for each way a run is ended, the machine ends with
# it, and the run says so and exits with 128 + the signal's number.
set -u
# shellcheck source=tests/scripts/test_i686_stand_ins.sh
. "$(dirname "${BASH_SOURCE[0]}")/test_i686_stand_ins.sh"
# Each run in a process group of its own, as a terminal's job is; and so that
# SIGINT reaches it (a script's background commands ignore it otherwise).
set -m
run='' machine=''
end_leftovers() {  # whatever a failed case leaves running
  [ -z "$machine" ] || kill -KILL "$machine" 2>/dev/null
  [ -z "$run" ] || kill -KILL -- "-$run" 2>/dev/null
  run='' machine=''
}
trap 'end_leftovers; rm -rf "$work"' EXIT
gone_within() {  # pid, seconds: whether the process has ended by then
  local deadline=$((SECONDS + $2))
  while kill -0 "$1" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# signal | sent to: the run alone (kill), its process group (a closed
# terminal, Ctrl-C), or an outer timeout that runs it (which passes the signal
# on to the run and its group, as when its time is up)
cases=("TERM|run" "TERM|timeout" "HUP|group" "INT|group")
failed=0
for case in "${cases[@]}"; do
  IFS='|' read -r signal to <<<"$case"
  pid_file=$work/qemu.pid
  rm -f "$pid_file"
  outer=()
  [ "$to" != timeout ] || outer=(timeout 600)
  STAND_IN_QEMU_PID=$pid_file ZURU_NO_32BIT=1 "${outer[@]}" "$repo/script/test-i686" >"$work/log" 2>&1 &
  run=$!
  problem=
  deadline=$((SECONDS + 60))
  until [ -s "$pid_file" ] || [ "$SECONDS" -ge "$deadline" ]; do sleep 0.1; done
  machine=$(cat "$pid_file" 2>/dev/null)
  if [ -z "$machine" ]; then
    problem="the machine did not start within 60 s"
  else
    if [ "$to" = group ]; then kill "-$signal" -- "-$run"; else kill "-$signal" "$run"; fi
    if ! gone_within "$run" 60; then
      problem="the run did not end within 60 s"
    else
      wait "$run"
      status=$?
      want_status=$((128 + $(kill -l "$signal")))
      if kill -0 "$machine" 2>/dev/null; then
        problem="the machine runs on after the run ended"
      elif [ "$status" != "$want_status" ]; then
        problem="exit status $status, expected $want_status"
      elif ! grep -qx "script/test-i686: ended by SIG$signal: the emulated machine was ended" "$work/log"; then
        problem="it did not say that it ended the machine"
      fi
    fi
  fi
  if [ -n "$problem" ]; then
    echo "FAILED: SIG$signal to the $to: $problem"
    sed 's/^/  | /' "$work/log"
    failed=1
  fi
  end_leftovers
done
[ "$failed" = 0 ] && echo "test-i686 ended: ${#cases[@]} cases passed"
exit $failed
