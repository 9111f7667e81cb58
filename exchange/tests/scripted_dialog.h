#pragma once
// Test dialogs that run a script of steps inside their own modal message loop,
// the way the program's handlers run, and count what reaches their handlers.
#include <functional>
#include <vector>

#include "exchange/exchange.h"
#include "exchange/tests/test_ids.h"
#include "framework/controls.h"
#include "framework/dialog.h"

// The dialog's results besides IDOK and IDCANCEL.
constexpr INT_PTR kStepsDone = 100;
constexpr INT_PTR kTimedOut = 101;
// A command without a control, as from a menu.
constexpr UINT kMenuCommand = 40001;

class ScriptedDialog : public CDialog {
 public:
  using Step = std::function<void()>;
  explicit ScriptedDialog(UINT templateId) : CDialog(templateId) {}

  // Runs the dialog modally. Each step runs from its own posted message; after
  // the last one the dialog ends with kStepsDone, unless `endsItself`. A dialog
  // still open after a generous deadline ends with kTimedOut.
  INT_PTR Run(std::vector<Step> steps, bool endsItself = false);

  HWND Item(int id) const { return ::GetDlgItem(m_hWnd, id); }

  using CDialog::OnCommand;
  using CDialog::UpdateData;

  int stepsRun = 0;
  // What reached the handlers: control notifications (all, and EN_CHANGE
  // alone), commands without a control, timer ticks, WM_NOTIFY.
  int controlCommands = 0;
  int editChanges = 0;
  int menuCommands = 0;
  int timerTicks = 0;
  int notifications = 0;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(UINT id, UINT code) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

 private:
  std::vector<Step> m_steps;
  bool m_endsItself = false;
};

// Template 200: every binding kind, in the order of DoDataExchange below.
class ExchangeTestDlg : public ScriptedDialog {
 public:
  ExchangeTestDlg() : ScriptedDialog(IDD_EXCHANGE_TEST) {}

  CSliderCtrl m_slider;
  CListBox m_list;
  int m_before = 0;
  int m_number = 0;
  int m_between = 0;
  float m_frequency = 0.0f;
  unsigned m_level = 420;  // checked against 420..600
  int m_threeState = 0;
  unsigned m_count = 0;
  int m_choice = -1;
  // Runs after the template's bindings, for failures of other kinds.
  std::function<void(ExchangeContext&)> moreBindings;

 protected:
  void DoDataExchange(ExchangeContext& dx) override;
};

// Template 201: one integer field.
class NestedDlg : public ScriptedDialog {
 public:
  NestedDlg() : ScriptedDialog(IDD_NESTED_TEST) {}
  int m_number = 0;
  std::function<void()> duringExchange;

 protected:
  void DoDataExchange(ExchangeContext& dx) override;
};
