#!/usr/bin/env bash
# script/can-run-32bit with stand-ins for its two probes (a 32-bit program, Wine's
# 32-bit loader): for each outcome, its exit status and the reason it prints.
set -u
script=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/script/can-run-32bit
stand_ins=$(mktemp -d)
trap 'rm -rf "$stand_ins"' EXIT
stand_in() {  # name, exit status, message on stderr
  printf '#!/bin/sh\n[ -z "%s" ] || echo "$0: %s" >&2\nexit %s\n' "$3" "$3" "$2" >"$stand_ins/$1"
  chmod +x "$stand_ins/$1"
}
stand_in runs 0 ""
stand_in refused_by_kernel 126 "cannot execute binary file: Exec format error"
stand_in loader_missing_libraries 127 "error while loading shared libraries: libc.so.6"

kernel="this machine's kernel runs no 32-bit programs (a 32-bit test program failed: Exec format error)"
loader="Wine's 32-bit loader does not start ($stand_ins/loader_missing_libraries: error while loading shared libraries: libc.so.6): is wine32 installed?"
# program | loader | exit status | what it prints
cases=(
  "runs|runs|0|"
  "refused_by_kernel|runs|1|$kernel"
  "refused_by_kernel|loader_missing_libraries|1|$kernel"
  "runs|loader_missing_libraries|1|$loader"
)
. "$(dirname "${BASH_SOURCE[0]}")/expect.sh"
for case in "${cases[@]}"; do
  IFS='|' read -r program wine_loader want_status want_text <<<"$case"
  expect "32-bit program $program, loader $wine_loader" "$want_status" "$want_text" \
    env ZURU_PROBE_32BIT_PROGRAM="$stand_ins/$program" ZURU_PROBE_32BIT_LOADER="$stand_ins/$wine_loader" "$script"
done
[ "$failed" = 0 ] && echo "can-run-32bit: ${#cases[@]} cases passed"
exit $failed
