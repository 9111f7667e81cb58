#include "framework/app.h"

#include <commctrl.h>

#include <string>

#include "core/app_name.h"
#include "framework/exceptions.h"
#include "framework/wnd.h"

namespace {

CWinApp* g_app = nullptr;

constexpr UINT kHelpCommand = 57670;

// The path the system reports for the running program, however long it is.
std::string ModuleFilePath() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0) {
      return std::string();
    }
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) {  // longer than any path the system hands out
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

CWinApp::CWinApp(const char* appName)
    : m_hInstance(GetModuleHandleA(nullptr)),
      m_appName(appName ? appName : AppNameFromModulePath(ModuleFilePath())) {
  g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) {
    g_app = nullptr;
  }
}

BOOL CWinApp::InitInstance() { return FALSE; }

bool CWinApp::OnCommand(UINT id) {
  if (id == kHelpCommand) {
    OnHelp();
    return true;
  }
  return false;
}

void CWinApp::OnHelp() {
  // The program ships no help file, so there is nothing to show.
}

void CWinApp::SetRegistryKey(const char* company) { m_registryKey = company ? company : ""; }

CWinApp* AfxGetApp() { return g_app; }

HINSTANCE AfxGetResourceHandle() {
  return g_app && g_app->m_hInstance ? g_app->m_hInstance : GetModuleHandleA(nullptr);
}

HWND AfxGetForemostWindow() {
  if (!g_app || !g_app->m_pMainWnd || !g_app->m_pMainWnd->GetSafeHwnd()) {
    return nullptr;
  }
  return GetLastActivePopup(g_app->m_pMainWnd->GetSafeHwnd());
}

void AfxEnableControlContainer() {
  INITCOMMONCONTROLSEX classes = {};
  classes.dwSize = sizeof(classes);
  classes.dwICC = ICC_WIN95_CLASSES;
  InitCommonControlsEx(&classes);
}

BOOL Enable3dControlsStatic() {
  // The manifest gives the program the system's current look.
  return TRUE;
}

int AfxWinMain(HINSTANCE instance) {
  CWinApp* app = AfxGetApp();
  if (app) {
    app->m_hInstance = instance;
    // The program has no message loop of its own: it ends when start-up returns,
    // whatever start-up returns, and sets no exit status of its own.
    try {
      app->InitInstance();
    } catch (...) {
      ReportCurrentException();
    }
  }
  return 0;
}
