#include "options/options_dlg.h"

#include <commctrl.h>

#include "exchange/exchange.h"
#include "framework/app.h"
#include "options/about_dlg.h"
#include "res/resource.h"
#include "settings/option_store.h"

namespace {

constexpr unsigned kLowestEnrouteLevel = 420;
constexpr unsigned kHighestEnrouteLevel = 600;

constexpr int kTrafficRange = 100;
constexpr int kTrafficStep = 10;

}  // namespace

COptionsDlg::COptionsDlg(CWnd* parent) : CDialog(IDD_OPTIONS, parent) {
  m_hIcon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

COptionsDlg::~COptionsDlg() {
  if (execinfo.hProcess) {
    CloseHandle(execinfo.hProcess);
  }
}

void COptionsDlg::DoDataExchange(ExchangeContext& dx) {
  m_failedControl = nullptr;
  try {
    ExchangeControl(dx, IDC_TRAFFIC, m_trafficSlider);
    ExchangeCheck(dx, IDC_NOCREW, nocrew);
    ExchangeCheck(dx, IDC_NEWATIS, newatis);
    ExchangeCheck(dx, IDC_ATISTEXT, atistext);
    ExchangeCheck(dx, IDC_ACTIVE, active);
    ExchangeCheck(dx, IDC_NEWATC, newatc);
    ExchangeCheck(dx, IDC_PCM, pcm);
    ExchangeCheck(dx, IDC_HEAVY, heavy);
    ExchangeUIntText(dx, IDC_MAXTIME, maxtime);
    ExchangeCheck(dx, IDC_DONTSETFLAPS, dontsetflaps);
    ExchangeCheck(dx, IDC_NOFLAPS, noflaps);
    ExchangeUIntText(dx, IDC_ENROUTEALT, enroutealt);
    ValidateUIntRange(dx, enroutealt, kLowestEnrouteLevel, kHighestEnrouteLevel);
    ExchangeCheck(dx, IDC_RESETALT, resetalt);
    ExchangeCheck(dx, IDC_CHKSPD, chkspd);
    ExchangeCheck(dx, IDC_CROSSING, crossing);
    ExchangeCheck(dx, IDC_CGROUND1, cground1);
    ExchangeCheck(dx, IDC_NOALTCALL, noaltcall);
    ExchangeCheck(dx, IDC_DEFWAVFOLDER, defwavfolder);
  } catch (...) {
    m_failedControl = dx.lastControl;
    throw;
  }
}

BOOL COptionsDlg::OnInitDialog() {
  // Shows the construction defaults and binds the trackbar wrapper.
  if (!CDialog::OnInitDialog()) return FALSE;  // it has ended the dialog

  if (HMENU windowMenu = GetSystemMenu(m_hWnd, FALSE)) {
    const std::string aboutItem = LoadResourceString(IDS_ABOUTBOX);
    if (!aboutItem.empty()) {
      AppendMenuA(windowMenu, MF_SEPARATOR, 0, nullptr);
      AppendMenuA(windowMenu, MF_STRING, IDM_ABOUTBOX, aboutItem.c_str());
    }
  }

  Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  m_picture.ScaleIn(m_hWnd);

  static_cast<OptionSet&>(*this) = ReadStoredOptionSet();

  // The trackbar keeps the stored rate within its range.
  m_trafficSlider.SetRange(0, kTrafficRange);
  m_trafficSlider.SetPageSize(kTrafficStep);
  m_trafficSlider.SetTicFreq(kTrafficStep);
  m_trafficSlider.SetPos(traffic);

  UpdateData(FALSE);

  // OnUseQuirtel comes last and applies the whole enabling table.
  OnNewAtis();
  OnNewAtc();
  OnNoFlaps();
  OnResetAlt();
  OnUseQuirtel();
  return TRUE;
}

void COptionsDlg::OnCancel() {
  // Once the patcher or compiler is on its way, the adventure file must stay:
  // Escape, Alt+F4 and close commands are refused until the wait is over.
  if (m_launchState != LaunchState::kEditing) {
    return;
  }
  CDialog::OnCancel();
}

bool COptionsDlg::OnCommand(UINT id, UINT code) {
  static const CommandEntry<COptionsDlg> kClickHandlers[] = {
      {IDC_ABOUT, BN_CLICKED, &COptionsDlg::OnAbout},
      {IDC_CREATE_ADVENTURE, BN_CLICKED, &COptionsDlg::OnCreateAdventure},
      {IDC_NEWATIS, BN_CLICKED, &COptionsDlg::OnNewAtis},
      {IDC_ACTIVE, BN_CLICKED, &COptionsDlg::OnUseQuirtel},
      {IDC_NEWATC, BN_CLICKED, &COptionsDlg::OnNewAtc},
      {IDC_NOFLAPS, BN_CLICKED, &COptionsDlg::OnNoFlaps},
      {IDC_RESETALT, BN_CLICKED, &COptionsDlg::OnResetAlt},
      {IDC_RUNWAYS, BN_CLICKED, &COptionsDlg::OnRunways},
  };
  return Dispatch(this, kClickHandlers, id, code) || CDialog::OnCommand(id, code);
}

bool COptionsDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_PAINT:
      if (!IsIconic(m_hWnd)) {
        return false;
      }
      PaintMinimized();
      result = 0;
      return true;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<LRESULT>(m_hIcon);
      return true;
    case WM_TIMER:
      OnTimer();
      result = 0;
      return true;
    default:
      return CDialog::OnMessage(message, wParam, lParam, result);
  }
}

void COptionsDlg::PaintMinimized() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(m_hWnd, &paint);
  Send(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);

  const int iconWidth = GetSystemMetrics(SM_CXICON);
  const int iconHeight = GetSystemMetrics(SM_CYICON);
  RECT client;
  GetClientRect(m_hWnd, &client);
  const int x = (client.right - client.left - iconWidth + 1) / 2;
  const int y = (client.bottom - client.top - iconHeight + 1) / 2;
  DrawIcon(dc, x, y, m_hIcon);
  EndPaint(m_hWnd, &paint);
}

void COptionsDlg::OnAbout() {
  CAboutDlg about;
  about.DoModal();
}
