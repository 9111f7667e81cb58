#!/usr/bin/env bash
# script/check-changes, which script/release runs before it builds: the real
# CHANGES has an entry for the build's version; in a small CHANGES, only a line
# that starts with the whole version is an entry.
#   check_changes_test.sh <the build's product version>
set -u
script=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/script/check-changes
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '%s\n' "4.21 (next)" "- Fixes a fault of 4.30 seen since 4.20." "" \
  "4.20 (first)" "- The first." >"$work/CHANGES"
refusal() { echo "script/check-changes: CHANGES has no entry for version $1: add one (newest first) that says what users get, then release"; }
# version | CHANGES file | exit status | what it prints
cases=(
  "$1||0|"
  "99.99||1|$(refusal 99.99)"
  "4.21|$work/CHANGES|0|"
  "4.20|$work/CHANGES|0|"
  "4.30|$work/CHANGES|1|$(refusal 4.30)"
  "4.2|$work/CHANGES|1|$(refusal 4.2)"
  "4x21|$work/CHANGES|1|$(refusal 4x21)"
)
. "$(dirname "${BASH_SOURCE[0]}")/expect.sh"
for case in "${cases[@]}"; do
  IFS='|' read -r version file want_status want_text <<<"$case"
  expect "version $version in ${file:-the real CHANGES}" "$want_status" "$want_text" \
    "$script" "$version" ${file:+"$file"}
done
[ "$failed" = 0 ] && echo "check-changes: ${#cases[@]} cases passed"
exit $failed
