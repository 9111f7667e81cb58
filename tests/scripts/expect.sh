# shellcheck shell=bash
# Sourced by the scripts' tests, which are tables of cases:
#   expect <what the case is> <exit status> <what it prints> <command...>
# runs the command, compares its exit status and its output with the expected
# ones, prints a difference and notes it in $failed (0 while every case passed).
failed=0
expect() {
  local what=$1 want_status=$2 want_text=$3 text status
  shift 3
  text=$("$@")
  status=$?
  if [ "$status" != "$want_status" ] || [ "$text" != "$want_text" ]; then
    echo "FAILED: $what:"
    echo "  exit status $status, expected $want_status"
    echo "  printed:  [$text]"
    echo "  expected: [$want_text]"
    failed=1
  fi
}
