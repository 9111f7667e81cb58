// The options dialog's "Runwa&ys ..." button.
#include "options/options_dlg.h"
#include "runways/runways_dlg.h"

void COptionsDlg::OnRunways() {
  CRunwaysDlg runways;
  runways.m_adventureFile = advfile;
  runways.m_useFirst = userw1;
  runways.m_useSecond = userw2;
  // Only a confirmed dialog hands its flags back.
  if (runways.DoModal() == IDOK) {
    userw1 = runways.m_useFirst;
    userw2 = runways.m_useSecond;
  }
}
