#pragma once
// The application object: start-up, the settings store and the wait cursor.
#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
 public:
  // Without an application name, the name is the program file's name (see
  // AppNameFromModulePath).
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Start-up; the program ends when it returns FALSE (no message loop of our own).
  virtual BOOL InitInstance();
  // Handles a command addressed to the application object; false when unknown.
  virtual bool OnCommand(UINT id);
  void OnHelp();  // the standard help command (57670): the program has no help file

  const std::string& AppName() const { return m_appName; }

  // From now on the settings store (CProfileSection) is
  // HKCU\software\<company>\<application name>.
  void SetRegistryKey(const char* company);

  // The wait cursor: shown over the program's dialogs while the count is above zero.
  void BeginWaitCursor();
  void EndWaitCursor();
  bool IsWaitCursorShown() const { return m_waitCursorCount > 0; }

  HINSTANCE m_hInstance = nullptr;
  CWnd* m_pMainWnd = nullptr;

 private:
  friend class CProfileSection;
  // The section's key, the path to it created where missing; null without a
  // company key or when a level cannot be opened.
  HKEY OpenSectionKey(const char* section);

  std::string m_appName;
  std::string m_registryKey;
  int m_waitCursorCount = 0;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetResourceHandle();
// The program's foremost window: the most recently active window owned by the
// main window (the main window itself when it owns none); null without a main window.
HWND AfxGetForemostWindow();

// Registers the common control classes the dialog templates use (trackbar, list
// box, ...). Called once at start-up.
void AfxEnableControlContainer();
BOOL Enable3dControlsStatic();

// A message box owned by the program's foremost window, with the application
// name as caption. OK, OK/Cancel, Yes/No and Yes/No/Cancel boxes that name no
// icon get the exclamation icon.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);
// The same with a text from the string table.
int AfxMessageBox(UINT stringId, UINT type = MB_OK);
std::string LoadResourceString(UINT stringId);

// Runs the application: InitInstance, then the end of the program. Called by WinMain.
int AfxWinMain(HINSTANCE instance);
