// Planted for script/clang-check, which must fail on it: a window procedure
// without CALLBACK, put into a window class through a cast to WNDPROC.
#include <windows.h>

namespace {

LRESULT WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

ATOM RegisterPlantedClass(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = (WNDPROC)WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "planted";
  return RegisterClassA(&windowClass);
}
