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

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

HWND CWnd::GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

BOOL CWnd::EnableWindow(BOOL enable) const { return ::EnableWindow(m_hWnd, enable); }

void CWnd::SetWindowText(const std::string& text) const { ::SetWindowTextA(m_hWnd, text.c_str()); }

std::string CWnd::GetWindowText() const {
  const int length = ::GetWindowTextLengthA(m_hWnd);
  if (length <= 0) {
    return std::string();
  }
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = ::GetWindowTextA(m_hWnd, &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}
