// Which controls of the options dialog can be used: everything hangs on "&Use
// Quirtel", and a few controls also on the check box they belong to.
#include "options/options_dlg.h"

#include "res/resource.h"

namespace {

// What a control needs besides `active` to be enabled.
enum class Condition { kNone, kNotNoFlaps, kNewAtis, kNewAtc, kResetAlt };

struct EnablingRule {
  int id;
  Condition condition;
};

// In the order in which "&Use Quirtel" applies them.
constexpr EnablingRule kEnablingTable[] = {
    {IDC_RUNWAYS, Condition::kNone},
    {IDC_NOCREW, Condition::kNone},
    {IDC_DONTSETFLAPS, Condition::kNotNoFlaps},
    {IDC_NEWATIS, Condition::kNone},
    {IDC_ATISTEXT, Condition::kNewAtis},
    {IDC_NEWATC, Condition::kNone},
    {IDC_HEAVY, Condition::kNone},
    {IDC_PCM, Condition::kNewAtc},
    {IDC_NOFLAPS, Condition::kNone},
    {IDC_RESETALT, Condition::kNone},
    {IDC_CHKSPD, Condition::kNone},
    {IDC_CROSSING, Condition::kNone},
    {IDC_CGROUND1, Condition::kNone},
    {IDC_NOALTCALL, Condition::kNone},
    {IDC_DEFWAVFOLDER, Condition::kNone},
    {IDC_MAXTIME, Condition::kNewAtc},
    {IDC_ENROUTEALT, Condition::kResetAlt},
    {IDCANCEL, Condition::kNone},
    {IDC_ABOUT, Condition::kNone},
    {IDC_OPTIONS_GROUP, Condition::kNone},
    {IDC_TRAFFIC_LABEL, Condition::kNone},
    {IDC_TRAFFIC_ZERO, Condition::kNone},
    {IDC_TRAFFIC_HIGH, Condition::kNone},
    {IDC_MAXTIME_LABEL, Condition::kNewAtc},
    {IDC_MAXTIME_UNIT, Condition::kNewAtc},
    {IDC_TRAFFIC, Condition::kNone},
};

// The two controls the table leaves out: they are enabled whatever the options.
constexpr int kAlwaysEnabled[] = {IDC_CREATE_ADVENTURE, IDC_ACTIVE};

}  // namespace

void COptionsDlg::ApplyEnablingRules(EnablingScope scope) {
  auto holds = [this](Condition condition) {
    switch (condition) {
      case Condition::kNotNoFlaps:
        return noflaps == 0;
      case Condition::kNewAtis:
        return newatis != 0;
      case Condition::kNewAtc:
        return newatc != 0;
      case Condition::kResetAlt:
        return resetalt != 0;
      case Condition::kNone:
        break;
    }
    return true;
  };
  auto governs = [scope](Condition condition) {
    switch (scope) {
      case EnablingScope::kAll:
        return true;
      case EnablingScope::kNewAtis:
        return condition == Condition::kNewAtis;
      case EnablingScope::kNewAtc:
        return condition == Condition::kNewAtc;
      case EnablingScope::kNoFlaps:
        return condition == Condition::kNotNoFlaps;
      case EnablingScope::kResetAlt:
        return condition == Condition::kResetAlt;
    }
    return false;
  };

  for (const EnablingRule& rule : kEnablingTable) {
    if (!governs(rule.condition)) {
      continue;
    }
    // A dependent check box can only be clicked while "&Use Quirtel" is on, so
    // its own handler looks at its own condition alone.
    const bool enabled = holds(rule.condition) && (scope != EnablingScope::kAll || active != 0);
    ::EnableWindow(GetDlgItem(rule.id), enabled);
  }
}

void COptionsDlg::LockControls() {
  for (int id : kAlwaysEnabled) {
    ::EnableWindow(GetDlgItem(id), FALSE);
  }
  for (const EnablingRule& rule : kEnablingTable) {
    ::EnableWindow(GetDlgItem(rule.id), FALSE);
  }
}

void COptionsDlg::UnlockControls() {
  ApplyEnablingRules(EnablingScope::kAll);
  for (int id : kAlwaysEnabled) {
    ::EnableWindow(GetDlgItem(id), TRUE);
  }
}

void COptionsDlg::OnUseQuirtel() {
  UpdateData(TRUE);
  ApplyEnablingRules(EnablingScope::kAll);
}

void COptionsDlg::OnNewAtis() {
  UpdateData(TRUE);
  ApplyEnablingRules(EnablingScope::kNewAtis);
}

void COptionsDlg::OnNewAtc() {
  UpdateData(TRUE);
  ApplyEnablingRules(EnablingScope::kNewAtc);
}

void COptionsDlg::OnNoFlaps() {
  UpdateData(TRUE);
  ApplyEnablingRules(EnablingScope::kNoFlaps);
}

void COptionsDlg::OnResetAlt() {
  UpdateData(TRUE);
  ApplyEnablingRules(EnablingScope::kResetAlt);
}
