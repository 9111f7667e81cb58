# 64-bit Windows build of the same sources: it runs the Windows tests under
# Wine's 64-bit loader where this machine runs no 32-bit programs.
set(ZURU_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
