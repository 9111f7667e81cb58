#!/usr/bin/env bash
# script/test-i686's record of a pass and script/release's line about it, with
# stand-ins for CTest and the emulated machine, in a repository of the test's
# own: only a pass of every test on a commit without uncommitted changes is
# recorded, and the line says "passed" only with a record for the commit.
set -u
# shellcheck source=tests/scripts/test_i686_stand_ins.sh
. "$(dirname "${BASH_SOURCE[0]}")/test_i686_stand_ins.sh"
trap 'rm -rf "$work"' EXIT

not_run="the 32-bit program's tests were not run on this commit: run script/test-i686"
changed="the 32-bit program's tests were not run on this commit: it has uncommitted changes; commit them, then run script/test-i686"
# CTest's status | no 32-bit programs here (the emulated machine) | the tree
# during the run (clean, a changed file, a new file, or a commit after it) |
# ctest arguments | recorded | the release line
cases=(
  "1|0|clean||no|$not_run"
  "0|0|clean||yes|passed"
  "1|1|clean||no|$not_run"
  "0|1|clean||yes|passed"
  "0|0|changed||no|$changed"
  "0|0|new file||no|$changed"
  "0|0|clean|-R exchange_tests|no|$not_run"
  "0|0|committed after||yes|$not_run"
)
failed=0
for case in "${cases[@]}"; do
  IFS='|' read -r ctest_status no_32bit tree args want_record want_line <<<"$case"
  rm -rf "$ZURU_CACHE_DIR"
  git -C "$repo" checkout -q -- . && git -C "$repo" clean -qfd
  case $tree in
    changed) echo "# changed" >>"$repo/script/bootstrap" ;;
    "new file") touch "$repo/new-file" ;;
  esac
  run_commit=$(git -C "$repo" rev-parse HEAD)
  # shellcheck disable=SC2086  # the arguments, split
  STAND_IN_CTEST_STATUS=$ctest_status ZURU_NO_32BIT=$no_32bit "$repo/script/test-i686" $args >"$work/log" 2>&1
  status=$?
  [ "$tree" != "committed after" ] || commit_in_repo "after the run"
  records=$(ls "$ZURU_CACHE_DIR/i686-passed" 2>/dev/null)
  line=$(cd "$repo" && . script/i686-passes.sh && i686_pass_line)
  [ "$want_record" = yes ] && want_records=$run_commit || want_records=
  if [ "$want_line" = passed ]; then
    want_line="the 32-bit program's tests passed on this commit ($run_commit, $(cat "$ZURU_CACHE_DIR/i686-passed/$run_commit" 2>/dev/null))"
  fi
  if [ "$status" != "$ctest_status" ] || [ "$records" != "$want_records" ] || [ "$line" != "$want_line" ]; then
    echo "FAILED: CTest $ctest_status, no 32-bit $no_32bit, tree $tree, arguments [$args]:"
    echo "  exit status $status, expected $ctest_status"
    echo "  records [$records], expected [$want_records]"
    echo "  line:     [$line]"
    echo "  expected: [$want_line]"
    sed 's/^/  | /' "$work/log"
    failed=1
  fi
done
[ "$failed" = 0 ] && echo "test-i686's record and release's line: ${#cases[@]} cases passed"
exit $failed
