#pragma once
// A window handle with the few calls the dialogs make on it.
#include <windows.h>

#include <string>

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

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  HWND GetDlgItem(int id) const;
  BOOL EnableWindow(BOOL enable = TRUE) const;
  void SetWindowText(const std::string& text) const;
  std::string GetWindowText() const;

  HWND m_hWnd = nullptr;
};
