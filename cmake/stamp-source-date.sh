#!/usr/bin/env bash
# Gives files the time of the sources they were built from: SOURCE_DATE_EPOCH
# when it is set, otherwise the time of the last commit of the checkout (the
# start of 1980, the oldest time a zip file can hold, outside a checkout).
#   stamp-source-date.sh <source folder> <file>...
set -eu
source_dir=$1
shift
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null || echo 315532800)}
touch -d "@$epoch" "$@"
