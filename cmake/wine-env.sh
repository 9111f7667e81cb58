# Sourced by the scripts that run Wine: the build's own prefix and Wine loader
# for an architecture of the Windows build.
#   zuru_wine_env i686|x86_64   sets WINEPREFIX and ZURU_WINE_LOADER
# i686 programs run in build/wineprefix through Debian's wine wrapper; x86_64
# programs in a 64-bit prefix of their own, build/wineprefix64, through Wine's
# 64-bit loader, called directly: the wrapper picks the 32-bit loader whenever
# wine32 is installed, and that loader cannot start where the kernel runs no
# 32-bit programs. ZURU_WINEPREFIX and ZURU_WINEPREFIX64 override the prefixes.
zuru_wine_env() {
  local root
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  case "$1" in
    i686)
      export WINEPREFIX=${ZURU_WINEPREFIX:-$root/build/wineprefix}
      ZURU_WINE_LOADER=wine
      ;;
    x86_64)
      export WINEPREFIX=${ZURU_WINEPREFIX64:-$root/build/wineprefix64}
      ZURU_WINE_LOADER=/usr/lib/wine/wine64
      ;;
    *)
      echo "zuru_wine_env: unknown architecture '$1' (i686 or x86_64)" >&2
      return 2
      ;;
  esac
  # Wine maps the names of Windows files to Linux names in the locale's
  # character set: in the C locale (a machine without LANG) no name with
  # letters beyond ASCII can be made, and the programs see other failures than
  # on Windows.
  [ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml="
}
