#include "runways/runways_dlg.h"

#include "core/airport_headers.h"
#include "core/runway_entry.h"
#include "core/runway_file.h"
#include "exchange/exchange.h"
#include "framework/file_replace.h"
#include "res/resource.h"
#include "runways/runway_entry_dlg.h"

const CRunwaysDlg::Airport CRunwaysDlg::kFirst = {
    IDC_FIRST_GROUP,         IDC_USE_FIRST,    IDC_FIRST_LIST,
    IDC_FIRST_ADD,           IDC_FIRST_DELETE, &CRunwaysDlg::m_firstList,
    &CRunwaysDlg::m_useFirst};
const CRunwaysDlg::Airport CRunwaysDlg::kSecond = {
    IDC_SECOND_GROUP,         IDC_USE_SECOND,    IDC_SECOND_LIST,
    IDC_SECOND_ADD,           IDC_SECOND_DELETE, &CRunwaysDlg::m_secondList,
    &CRunwaysDlg::m_useSecond};

CRunwaysDlg::CRunwaysDlg() : CDialog(IDD_RUNWAYS) {}

void CRunwaysDlg::DoDataExchange(ExchangeContext& dx) {
  ExchangeControl(dx, IDC_SECOND_LIST, m_secondList);
  ExchangeControl(dx, IDC_FIRST_LIST, m_firstList);
  ExchangeCheck(dx, IDC_USE_FIRST, m_useFirst);
  ExchangeCheck(dx, IDC_USE_SECOND, m_useSecond);
}

BOOL CRunwaysDlg::OnInitDialog() {
  if (!CDialog::OnInitDialog()) return FALSE;  // it has ended the dialog
  UpdateData(FALSE);
  ApplyEnabling(kFirst);
  ApplyEnabling(kSecond);

  // The adventure file is named after its two airports: EDDFKJFK.TXT.
  const auto headers = AirportHeadersFromPath(m_adventureFile);
  if (!headers) {
    EndDialog(IDCANCEL);
    return FALSE;
  }
  m_firstHeader = headers->first;
  m_secondHeader = headers->second;
  SetDlgItemTextA(m_hWnd, kFirst.group, m_firstHeader.c_str());
  SetDlgItemTextA(m_hWnd, kSecond.group, m_secondHeader.c_str());

  const RunwayLists lists = ReadRunwayFile(m_firstHeader, m_secondHeader);
  for (const std::string& row : lists.first) m_firstList.AddString(row);
  for (const std::string& row : lists.second) m_secondList.AddString(row);

  // A flag without runways to choose from means nothing.
  ClearFlagIfEmpty(kFirst);
  ClearFlagIfEmpty(kSecond);
  UpdateData(FALSE);
  ApplyEnabling(kFirst);
  ApplyEnabling(kSecond);
  return TRUE;
}

bool CRunwaysDlg::OnCommand(UINT id, UINT code) {
  static const CommandEntry<CRunwaysDlg> commands[] = {
      {IDC_USE_FIRST, BN_CLICKED, &CRunwaysDlg::OnUseFirst},
      {IDC_USE_SECOND, BN_CLICKED, &CRunwaysDlg::OnUseSecond},
      {IDC_FIRST_ADD, BN_CLICKED, &CRunwaysDlg::OnAddFirst},
      {IDC_SECOND_ADD, BN_CLICKED, &CRunwaysDlg::OnAddSecond},
      {IDC_FIRST_DELETE, BN_CLICKED, &CRunwaysDlg::OnDeleteFirst},
      {IDC_SECOND_DELETE, BN_CLICKED, &CRunwaysDlg::OnDeleteSecond},
  };
  return Dispatch(this, commands, id, code) || CDialog::OnCommand(id, code);
}

void CRunwaysDlg::ApplyEnabling(const Airport& airport) {
  // Both flags follow their check boxes; this exchange cannot fail.
  UpdateData(TRUE);
  const BOOL enable = this->*airport.use != 0;
  for (int id : {airport.list, airport.add, airport.del}) ::EnableWindow(GetDlgItem(id), enable);
}

void CRunwaysDlg::AddEntry(const Airport& airport) {
  CRunwayEntryDlg entry;
  if (entry.DoModal() != IDOK) return;
  (this->*airport.entries)
      .AddString(FormatRunwayEntry(entry.m_number, entry.m_frequency, entry.m_ils, entry.m_left,
                                   entry.m_right, entry.m_usage));
}

void CRunwaysDlg::DeleteEntry(const Airport& airport) {
  const CListBox& list = this->*airport.entries;
  const int selected = list.GetCurSel();
  if (selected != LB_ERR) list.DeleteString(selected);
}

void CRunwaysDlg::ClearFlagIfEmpty(const Airport& airport) {
  if ((this->*airport.entries).GetCount() == 0) this->*airport.use = 0;
}

std::vector<std::string> CRunwaysDlg::Rows(const Airport& airport) const {
  const CListBox& list = this->*airport.entries;
  std::vector<std::string> rows;
  const int count = list.GetCount();
  for (int i = 0; i < count; ++i) rows.push_back(list.GetText(i));
  return rows;
}

void CRunwaysDlg::OnOK() {
  UpdateData(TRUE);
  ClearFlagIfEmpty(kFirst);
  ClearFlagIfEmpty(kSecond);
  // Saved on every OK; a failed save leaves the old file as it was.
  WriteRunwayFile(m_firstHeader, m_secondHeader, Rows(kFirst), Rows(kSecond), ReplaceFileWin32);
  EndDialog(IDOK);
}
