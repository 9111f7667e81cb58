#pragma once
// The application object: runs the options dialog for the adventure file named
// on the command line, and throws the file away when the user cancels.
#include "framework/app.h"

// Its one command, the standard help command (57670), reaches CWinApp::OnHelp
// through the framework's own command routing.
class CLauncherApp : public CWinApp {
 public:
  BOOL InitInstance() override;
};
