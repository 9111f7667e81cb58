#include "framework/wnd.h"

bool CWnd::Attach(HWND hWnd) {
  if (m_hWnd != nullptr || hWnd == nullptr || !::IsWindow(hWnd)) {
    return false;
  }
  m_hWnd = hWnd;
  return true;
}

HWND CWnd::Detach() {
  const HWND hWnd = m_hWnd;
  m_hWnd = nullptr;
  return hWnd;
}

LRESULT CWnd::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

HWND CWnd::GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
