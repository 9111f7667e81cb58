// Modal dialogs from resource templates and their message routing.
#include "framework/dialog.h"

#include <algorithm>

#include "framework/app.h"
#include "framework/exceptions.h"

namespace {

// The messages whose answer a dialog procedure returns itself instead of
// leaving it in DWLP_MSGRESULT.
bool AnswersDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
      return true;
    default:
      return false;
  }
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
  // Without a parent of its own the dialog is owned by the program's foremost
  // window, so that it stays above the dialog it was opened from.
  HWND owner = m_parent ? m_parent->GetSafeHwnd() : nullptr;
  if (!owner) {
    owner = AfxGetForemostWindow();
  }
  return DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_templateId), owner,
                         &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(INT_PTR result) { ::EndDialog(m_hWnd, result); }

void CDialog::GotoDlgCtrl(HWND control) const {
  SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void CDialog::DetachOnDestroy(CWnd& wrapper) {
  if (std::find(m_boundWrappers.begin(), m_boundWrappers.end(), &wrapper) ==
      m_boundWrappers.end()) {
    m_boundWrappers.push_back(&wrapper);
  }
}

void CDialog::DoDataExchange(ExchangeContext&) {}

BOOL CDialog::OnInitDialog() {
  if (!UpdateData(FALSE)) {
    EndDialog(-1);
    return FALSE;
  }
  return TRUE;
}

void CDialog::OnOK() {
  if (UpdateData(TRUE)) {
    EndDialog(IDOK);
  }
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnCommand(UINT id, UINT code) {
  if (code != BN_CLICKED) {
    return false;
  }
  switch (id) {
    case IDOK:
      OnOK();
      return true;
    case IDCANCEL:
      OnCancel();
      return true;
    default:
      return false;
  }
}

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CDialog* dialog = nullptr;
  if (message == WM_INITDIALOG) {
    dialog = reinterpret_cast<CDialog*>(lParam);
    SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(dialog));
    dialog->m_hWnd = hwnd;
  } else {
    dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  }
  if (!dialog) {
    return FALSE;  // the messages before WM_INITDIALOG take the default processing
  }
  const HandlerFailureSource source{hwnd, message, static_cast<unsigned long long>(wParam)};
  // No C++ exception may travel through the system's code that called us.
  try {
    const INT_PTR handled = dialog->HandleMessage(message, wParam, lParam);
    NoteHandlerSuccess(source);
    return handled;
  } catch (...) {
    // The box's own message loop, and the loop after it, may run the failing
    // handler again (a timer, a paint): reported once until it runs through.
    if (message == WM_PAINT) {
      ValidateRect(hwnd, nullptr);  // or the system asks for the paint again at once
    }
    ReportHandlerFailure(source);
    if (message == WM_NCDESTROY) {
      dialog->ReleaseWindow();
    }
    // For WM_INITDIALOG, TRUE lets the system give the first control the focus.
    return message == WM_INITDIALOG ? TRUE : FALSE;
  }
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // While this dialog's exchange runs, no handler runs because of what the
  // exchange did to a control (set a text or a check state, moved the focus).
  const bool exchangeRunning = m_hWnd != nullptr && ExchangeWindow() == m_hWnd;
  LRESULT result = 0;
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      if (exchangeRunning && lParam != 0) {
        return FALSE;
      }
      return RouteCommand(wParam);
    case WM_NOTIFY:
      if (exchangeRunning) {
        return FALSE;
      }
      break;
    case WM_SETCURSOR:
      if (AfxGetApp() && AfxGetApp()->IsWaitCursorShown()) {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      break;
    case WM_NCDESTROY:
      OnMessage(message, wParam, lParam, result);
      ReleaseWindow();
      return FALSE;
    default:
      break;
  }
  if (!OnMessage(message, wParam, lParam, result)) {
    return FALSE;
  }
  if (AnswersDirectly(message)) {
    return static_cast<INT_PTR>(result);
  }
  SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
  return TRUE;
}

INT_PTR CDialog::RouteCommand(WPARAM wParam) {
  const UINT id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  if (OnCommand(id, code)) {
    return TRUE;
  }
  // Commands the dialog does not handle go on to the application object (help).
  CWinApp* app = AfxGetApp();
  return code == 0 && app && app->OnCommand(id) ? TRUE : FALSE;
}

void CDialog::ReleaseWindow() {
  for (CWnd* wrapper : m_boundWrappers) {
    wrapper->Detach();
  }
  m_boundWrappers.clear();
  m_hWnd = nullptr;
}
