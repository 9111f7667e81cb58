// Placeholder until the runways dialog lands.
#include "options/options_dlg.h"

void COptionsDlg::OnRunways() {}
