#!/usr/bin/env bash
# Runs a test program under Wine with a small disk of its own: a 2 MB tmpfs at
# <mount point> (mounting needs root), named to the program in ZURU_SMALL_DISK
# as a Windows path. When it cannot be mounted, ZURU_SMALL_DISK_ERROR says why,
# and the full-disk test fails with that reason.
#
#   with_small_disk.sh <mount point> <command that runs the test program...>
set -u
mount_point=$1
shift
mkdir -p "$mount_point"
# A mount left by a run that was killed.
mountpoint -q "$mount_point" && umount "$mount_point"
if error=$(mount -t tmpfs -o size=2m,mode=0755 zuru-small-disk "$mount_point" 2>&1); then
  trap 'umount "$mount_point"' EXIT
  export ZURU_SMALL_DISK="Z:${mount_point//\//\\}\\"
else
  export ZURU_SMALL_DISK_ERROR="mount -t tmpfs on $mount_point failed: ${error:-no reason given}"
fi
"$@"
