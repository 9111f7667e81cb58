// The exchange context: the control a binding works on, and the end of a run
// that a binding rejects.
#include "exchange/exchange.h"
#include "framework/dialog.h"
#include "framework/exceptions.h"

HWND ExchangeContext::PrepareControl(int id) {
  const HWND control = ::GetDlgItem(dialog.GetSafeHwnd(), id);
  if (!control) {
    throw CNotSupportedException();
  }
  lastControl = control;
  lastIsEdit = false;
  return control;
}

HWND ExchangeContext::PrepareEditControl(int id) {
  const HWND control = PrepareControl(id);
  lastIsEdit = true;
  return control;
}

void ExchangeContext::Fail() {
  if (save && lastControl) {
    // Back to the field the user has to correct, with its text ready to be typed
    // over. (The system gives no focus to a disabled field; its text is still selected.)
    dialog.GotoDlgCtrl(lastControl);
    if (lastIsEdit) {
      ::SendMessageA(lastControl, EM_SETSEL, 0, -1);
    }
  }
  throw CUserException();
}
