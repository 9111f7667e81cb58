// Planted for script/clang-check, which must fail on it: a timer procedure
// without CALLBACK, cast into place as a TIMERPROC.
#include <windows.h>

namespace {

void Tick(HWND window, UINT message, UINT_PTR id, DWORD time) {}

}  // namespace

UINT_PTR StartPlantedTimer() {
  return SetTimer(nullptr, 0, 100, reinterpret_cast<TIMERPROC>(Tick));
}
