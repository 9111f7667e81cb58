#pragma once
// The About box: the program's name, version and authors.
#include "framework/dialog.h"

class CAboutDlg : public CDialog {
 public:
  CAboutDlg();
};
