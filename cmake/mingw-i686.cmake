# 32-bit Windows build, the product: the win32-threads mingw-w64 compiler, whose
# static runtime imports nothing that Windows XP lacks.
set(ZURU_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
