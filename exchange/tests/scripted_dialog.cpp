#include "exchange/tests/scripted_dialog.h"

#include "exchange/tests/box_answerer.h"
#include "tests/support/deadline.h"

namespace {

constexpr UINT kRunStep = WM_APP + 1;
constexpr UINT_PTR kDeadlineTimer = 99;
const UINT kDeadlineMs = test_support::Deadline(30000).Ms();

}  // namespace

INT_PTR ScriptedDialog::Run(std::vector<Step> steps, bool endsItself) {
  m_steps = std::move(steps);
  m_endsItself = endsItself;
  stepsRun = 0;
  return DoModal();
}

BOOL ScriptedDialog::OnInitDialog() {
  RegisterTestDialog(m_hWnd);
  const BOOL result = CDialog::OnInitDialog();
  SetTimer(m_hWnd, kDeadlineTimer, kDeadlineMs, nullptr);
  PostMessageA(m_hWnd, kRunStep, 0, 0);
  return result;
}

bool ScriptedDialog::OnCommand(UINT id, UINT code) {
  if (id == kMenuCommand) {
    ++menuCommands;
    return true;
  }
  if (id != IDOK && id != IDCANCEL) {
    ++controlCommands;
    if (code == EN_CHANGE) {
      ++editChanges;
    }
  }
  return CDialog::OnCommand(id, code);
}

bool ScriptedDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case kRunStep:
      if (stepsRun < static_cast<int>(m_steps.size())) {
        m_steps[stepsRun++]();
      }
      if (stepsRun < static_cast<int>(m_steps.size())) {
        PostMessageA(m_hWnd, kRunStep, 0, 0);
      } else if (!m_endsItself) {
        EndDialog(kStepsDone);
      }
      return true;
    case WM_TIMER:
      if (wParam == kDeadlineTimer) {
        EndDialog(kTimedOut);
      } else {
        ++timerTicks;
      }
      return true;
    case WM_NOTIFY:
      ++notifications;
      return true;
    case WM_DESTROY:
      KillTimer(m_hWnd, kDeadlineTimer);
      UnregisterTestDialog(m_hWnd);
      return false;
    default:
      return false;
  }
}

void ExchangeTestDlg::DoDataExchange(ExchangeContext& dx) {
  ExchangeControl(dx, IDC_T_SLIDER, m_slider);
  ExchangeControl(dx, IDC_T_LIST, m_list);
  ExchangeCheck(dx, IDC_T_BEFORE, m_before);
  ExchangeIntText(dx, IDC_T_NUMBER, m_number);
  ExchangeCheck(dx, IDC_T_BETWEEN, m_between);
  ExchangeFloatText(dx, IDC_T_FREQUENCY, m_frequency);
  ExchangeUIntText(dx, IDC_T_LEVEL, m_level);
  ValidateUIntRange(dx, m_level, 420, 600);
  ExchangeCheck(dx, IDC_T_THREE_STATE, m_threeState);
  ExchangeUIntText(dx, IDC_T_COUNT, m_count);
  ExchangeRadio(dx, IDC_T_FIRST_RADIO, m_choice);
  if (moreBindings) {
    moreBindings(dx);
  }
}

void NestedDlg::DoDataExchange(ExchangeContext& dx) {
  if (duringExchange) {
    duringExchange();
  }
  ExchangeIntText(dx, IDC_N_NUMBER, m_number);
}
