# shellcheck shell=bash
# The record of the product's own tests passing, for script/test-i686 (which
# records each pass of every test on a commit without uncommitted changes) and
# script/release (which says whether they passed on what it releases). Sourced,
# in the checkout.
#   ZURU_CACHE_DIR   the cache folder (default ~/.cache/zuru)

# The folder of the records, one file per commit that passed, holding the time.
i686_passes_folder() {
  echo "${ZURU_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/zuru}/i686-passed"
}

# Whether the tests passed on the checkout as it is: one line.
i686_pass_line() {
  local commit record
  commit=$(git rev-parse HEAD 2>/dev/null || echo none)
  record=$(i686_passes_folder)/$commit
  if [ -n "$(git status --porcelain 2>/dev/null)" ]; then
    echo "the 32-bit program's tests were not run on this commit: it has uncommitted changes; commit them, then run script/test-i686"
  elif [ -f "$record" ]; then
    echo "the 32-bit program's tests passed on this commit ($commit, $(cat "$record"))"
  else
    echo "the 32-bit program's tests were not run on this commit: run script/test-i686"
  fi
}
