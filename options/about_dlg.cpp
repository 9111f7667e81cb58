#include "options/about_dlg.h"

#include "res/resource.h"

// No parent: the framework gives the box the program's foremost window as owner.
CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
