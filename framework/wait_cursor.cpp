// The wait cursor: while it is shown, the program's dialogs answer WM_SETCURSOR
// with the hourglass (see CDialog's message routing).
#include <windows.h>

#include "framework/app.h"

namespace {

// Lets the window under the mouse choose its cursor again, so that the arrow
// comes back without waiting for the next mouse move.
void RefreshCursor() {
  POINT point;
  if (!GetCursorPos(&point)) {
    return;
  }
  const HWND window = WindowFromPoint(point);
  if (!window || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) {
    return;
  }
  const LRESULT hit = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
  SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
               MAKELPARAM(LOWORD(hit), WM_MOUSEMOVE));
}

}  // namespace

void CWinApp::BeginWaitCursor() {
  ++m_waitCursorCount;
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
}

void CWinApp::EndWaitCursor() {
  if (m_waitCursorCount == 0) {
    return;
  }
  if (--m_waitCursorCount == 0) {
    RefreshCursor();
  }
}
