// The yardstick for the start of ZURU.EXE: the least a Win32 program must do to
// show one dialog from a template, built with the same compiler, flags, static
// runtime and manifest as ZURU.EXE. Cancel (or Escape) ends it.
#include <windows.h>
#include <commctrl.h>

#include "bench/empty_dialog/empty_dialog_resource.h"

namespace {

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      break;
  }
  return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The same common controls as ZURU.EXE registers, so that both load comctl32.
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  return static_cast<int>(
      DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_EMPTY), nullptr, DialogProc, 0));
}
