// Planted for script/clang-check, which must fail on it: a dialog procedure
// declared without CALLBACK (so cdecl on i686), cast into place as a DLGPROC
// (stdcall). GCC says nothing; Windows calls it as stdcall and the stack is
// left wrong after every message.
#include <windows.h>

namespace {

INT_PTR DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

}  // namespace

INT_PTR ShowPlantedDialog(HINSTANCE instance) {
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, (DLGPROC)DialogProcedure, 0);
}
