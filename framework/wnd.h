#pragma once
// A window handle with the few calls the dialogs make on it.
#include <windows.h>

class CWnd {
 public:
  CWnd() = default;
  virtual ~CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND GetSafeHwnd() const { return m_hWnd; }
  // Makes this wrapper refer to an existing window; false when it already refers to one
  // or hWnd is not a window.
  bool Attach(HWND hWnd);
  HWND Detach();

  // SendMessageA to this window. (Named so that no <windows.h> macro renames it.)
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  HWND GetDlgItem(int id) const;

  HWND m_hWnd = nullptr;
};
