#include "runways/runway_entry_dlg.h"

#include "exchange/exchange.h"
#include "res/resource.h"

CRunwayEntryDlg::CRunwayEntryDlg() : CDialog(IDD_RUNWAY_ENTRY) {}

void CRunwayEntryDlg::DoDataExchange(ExchangeContext& dx) {
  ExchangeIntText(dx, IDC_RUNWAY_NUMBER, m_number);
  ExchangeFloatText(dx, IDC_ILS_FREQUENCY, m_frequency);
  ExchangeCheck(dx, IDC_ILS, m_ils);
  ExchangeCheck(dx, IDC_LEFT, m_left);
  ExchangeCheck(dx, IDC_RIGHT, m_right);
  ExchangeRadio(dx, IDC_USAGE_BOTH, m_usage);
}

BOOL CRunwayEntryDlg::OnInitDialog() {
  if (!CDialog::OnInitDialog()) return FALSE;  // it has ended the dialog
  // A new runway starts as runway 01 with an ILS on 110.00, used both ways.
  m_ils = 1;
  m_frequency = 110.0f;
  m_number = 1;
  m_usage = 0;
  UpdateData(FALSE);
  return TRUE;
}

bool CRunwayEntryDlg::OnCommand(UINT id, UINT code) {
  static const CommandEntry<CRunwayEntryDlg> commands[] = {
      {IDC_LEFT, BN_CLICKED, &CRunwayEntryDlg::OnLeft},
      {IDC_RIGHT, BN_CLICKED, &CRunwayEntryDlg::OnRight},
      {IDC_ILS, BN_CLICKED, &CRunwayEntryDlg::OnIls},
  };
  return Dispatch(this, commands, id, code) || CDialog::OnCommand(id, code);
}

bool CRunwayEntryDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_SHOWWINDOW) {
    // Put the caret in the number field, so that typing replaces it. Returning
    // unhandled lets the dialog's default processing of the message go on; for a
    // dialog being shown it leaves the focus alone.
    FocusNumber();
    return false;
  }
  return CDialog::OnMessage(message, wParam, lParam, result);
}

void CRunwayEntryDlg::FocusNumber() const {
  HWND number = GetDlgItem(IDC_RUNWAY_NUMBER);
  GotoDlgCtrl(number);
  SendMessageA(number, EM_SETSEL, 0, -1);
  SendMessageA(number, EM_SCROLLCARET, 0, 0);
}

void CRunwayEntryDlg::KeepOnlyOneSide(const int& chosen, int& other) {
  // The exchange's result is not needed: a rejected field is put back below.
  UpdateData(TRUE);
  if (chosen) other = 0;
  UpdateData(FALSE);
}

void CRunwayEntryDlg::OnLeft() { KeepOnlyOneSide(m_left, m_right); }

void CRunwayEntryDlg::OnRight() { KeepOnlyOneSide(m_right, m_left); }

void CRunwayEntryDlg::OnIls() {
  UpdateData(TRUE);
  ::EnableWindow(GetDlgItem(IDC_ILS_FREQUENCY), m_ils != 0);
}
