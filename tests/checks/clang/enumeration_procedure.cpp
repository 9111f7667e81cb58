// Planted for script/clang-check, which must fail on it: an enumeration
// procedure without CALLBACK, cast into place as a WNDENUMPROC.
#include <windows.h>

namespace {

BOOL CountWindow(HWND window, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

}  // namespace

int CountPlantedWindows() {
  int count = 0;
  EnumWindows((WNDENUMPROC)CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}
