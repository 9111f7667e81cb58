# shellcheck shell=bash
# shellcheck disable=SC2016  # the stand-ins' bodies expand when they run
# Sourced by the tests of script/test-i686: a git repository of the test's own
# in $work/repo, holding the real script/test-i686, script/i686-passes.sh and
# script/vm/boot, and stand-ins for the scripts they run (bootstrap, the Wine
# prefix and its desktop, the machine's image); in $work/bin, first on PATH, stand-ins for the
# programs they run: cmake, ctest and xvfb-run, dpkg-query (every package is
# there) and qemu-system-x86_64. A cache folder of the test's own.
#   STAND_IN_CTEST_STATUS   what CTest exits with, here or in the machine
#   STAND_IN_QEMU_PID       when set, the machine runs until ended and writes
#                           its pid to this file
sources=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
repo=$work/repo
export ZURU_CACHE_DIR=$work/cache
export PATH=$work/bin:$PATH

stand_in() {  # path, script body
  mkdir -p "$(dirname "$1")"
  printf '#!/usr/bin/env bash\n%s\n' "$2" >"$1"
  chmod +x "$1"
}
mkdir -p "$repo/script/vm"
cp "$sources/script/test-i686" "$sources/script/i686-passes.sh" "$repo/script/"
cp "$sources/script/vm/boot" "$repo/script/vm/"
for s in bootstrap can-run-32bit wine-prefix wine-stop; do stand_in "$repo/script/$s" "exit 0"; done
stand_in "$repo/cmake/wine-desktop.sh" 'shift 2; exec "$@"'
stand_in "$repo/script/vm/make-image" 'echo "$PWD/image"'
stand_in "$work/bin/cmake" "exit 0"
stand_in "$work/bin/ctest" 'exit "${STAND_IN_CTEST_STATUS:-0}"'
stand_in "$work/bin/xvfb-run" 'while [[ ${1:-} == -* ]]; do [ "$1" = -s ] && shift; shift; done; exec "$@"'
stand_in "$work/bin/dpkg-query" "echo 'install ok installed'"
# The machine: its job's CTest status into the control folder, or, with
# STAND_IN_QEMU_PID, run until ended, and then take a moment to shut down, as
# qemu does (so that a run that does not wait for it is seen to leave it).
stand_in "$work/bin/qemu-system-x86_64" '
if [ -n "${STAND_IN_QEMU_PID:-}" ]; then
  trap "sleep 0.5; exit 143" TERM
  echo $$ >"$STAND_IN_QEMU_PID.new" && mv "$STAND_IN_QEMU_PID.new" "$STAND_IN_QEMU_PID"
  exec 3<> <(:)  # a pipe that stays empty: read waits in this process, no child
  read -r -t 600 -u 3
  exit 0
fi
for arg; do
  case $arg in *mount_tag=zuru-ctl*) control=${arg#*path=}; control=${control%%,*} ;; esac
done
echo "${STAND_IN_CTEST_STATUS:-0}" >"$control/status"'

git -C "$repo" init -q
git -C "$repo" add -A
git -C "$repo" -c user.name=test -c user.email=test@localhost commit -qm "the scripts"
commit_in_repo() {  # message
  git -C "$repo" -c user.name=test -c user.email=test@localhost commit -q --allow-empty -m "$1"
}
