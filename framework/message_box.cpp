// The program's message boxes: owned by its foremost window, captioned with the
// application name.
#include <windows.h>

#include <string>

#include "framework/app.h"
#include "framework/wnd.h"

namespace {

// OK, OK/Cancel, Yes/No and Yes/No/Cancel boxes that name no icon get the
// exclamation icon.
UINT WithDefaultIcon(UINT type) {
  const UINT buttons = type & MB_TYPEMASK;
  const bool takesDefault = buttons == MB_OK || buttons == MB_OKCANCEL || buttons == MB_YESNO ||
                            buttons == MB_YESNOCANCEL;
  if (takesDefault && (type & MB_ICONMASK) == 0) {
    return type | MB_ICONEXCLAMATION;
  }
  return type;
}

}  // namespace

int AfxMessageBox(const std::string& text, UINT type) {
  CWinApp* app = AfxGetApp();
  const HWND mainWindow = app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
  const HWND owner = AfxGetForemostWindow();

  // The box disables its owner; when that is a window above the main window, the
  // main window must not take input meanwhile either.
  const bool disableMain = mainWindow && owner != mainWindow && IsWindowEnabled(mainWindow);
  if (disableMain) {
    EnableWindow(mainWindow, FALSE);
  }
  const int answer = MessageBoxA(owner, text.c_str(), app ? app->AppName().c_str() : nullptr,
                                 WithDefaultIcon(type));
  if (disableMain) {
    EnableWindow(mainWindow, TRUE);
  }
  return answer;
}

int AfxMessageBox(UINT stringId, UINT type) {
  return AfxMessageBox(LoadResourceString(stringId), type);
}

std::string LoadResourceString(UINT stringId) {
  std::string text(256, '\0');
  for (;;) {
    const int length =
        LoadStringA(AfxGetResourceHandle(), stringId, &text[0], static_cast<int>(text.size()));
    // A full buffer may mean a cut text: try again with more room. A string
    // table entry holds at most 65535 characters.
    if (length < static_cast<int>(text.size()) - 1 || text.size() > 65536) {
      text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
      return text;
    }
    text.resize(text.size() * 2);
  }
}
