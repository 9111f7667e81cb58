#include "app/launcher_app.h"

#include "core/command_line.h"
#include "core/option_set.h"
#include "options/options_dlg.h"

// The one application object; without a name of its own the application is
// named after the program file.
CLauncherApp theApp;

BOOL CLauncherApp::InitInstance() {
  AfxEnableControlContainer();
  Enable3dControlsStatic();
  SetRegistryKey(kCompanyKey);

  COptionsDlg dialog;
  m_pMainWnd = &dialog;

  // The whole line is handed on to the patcher or the compiler as received.
  const char* commandLine = GetCommandLineA();
  dialog.cmdline = commandLine ? commandLine : "";

  // Without an adventure file there is nothing to build: end without a window
  // and without touching the settings store.
  if (std::optional<std::string> file = FindAdventureFile(dialog.cmdline)) {
    dialog.advfile = *file;
    if (dialog.DoModal() == IDCANCEL) {
      // No adventure is to be built from a cancelled run.
      DeleteFileA(dialog.advfile.c_str());
    }
  }

  m_pMainWnd = nullptr;
  return FALSE;
}
