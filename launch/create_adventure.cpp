// "Create &adventure": lock the dialog, store the options and start the patcher
// or the compiler, hidden.
#include <string>

#include "core/parameter_text.h"
#include "framework/app.h"
#include "launch/command_line_limit.h"
#include "options/options_dlg.h"
#include "res/resource.h"
#include "settings/option_store.h"

namespace {

constexpr UINT_PTR kWaitTimer = 1;
constexpr UINT kWaitPeriodMs = 500;

static_assert(sizeof(void*) != 4 || sizeof(SHELLEXECUTEINFOA) == 60,
              "the process-start record of a 32-bit program");

// Everything the user could change while the started program runs, in the
// order in which it is locked; the trackbar comes last.
constexpr int kLockedControls[] = {
    IDC_RUNWAYS,      IDC_CREATE_ADVENTURE, IDCANCEL,          IDC_ABOUT,
    IDC_NOCREW,       IDC_DONTSETFLAPS,     IDC_NEWATIS,       IDC_ATISTEXT,
    IDC_ACTIVE,       IDC_NEWATC,           IDC_HEAVY,         IDC_PCM,
    IDC_NOFLAPS,      IDC_RESETALT,         IDC_CHKSPD,        IDC_CROSSING,
    IDC_CGROUND1,     IDC_NOALTCALL,        IDC_DEFWAVFOLDER,  IDC_MAXTIME,
    IDC_ENROUTEALT,   IDC_OPTIONS_GROUP,    IDC_TRAFFIC_LABEL, IDC_TRAFFIC_ZERO,
    IDC_TRAFFIC_HIGH, IDC_MAXTIME_LABEL,    IDC_MAXTIME_UNIT,
};

// The shell is loaded only for the start itself: most of a run is the dialog,
// and loading shell32 with the program makes every start noticeably slower.
BOOL StartThroughShell(SHELLEXECUTEINFOA* info) {
  using ShellExecuteExFn = BOOL(WINAPI*)(SHELLEXECUTEINFOA*);
  HMODULE shell = LoadLibraryA("shell32.dll");
  const auto start = shell ? reinterpret_cast<ShellExecuteExFn>(
                                 reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteExA")))
                           : nullptr;
  return start ? start(info) : FALSE;  // stays loaded: the program ends soon after
}

}  // namespace

void COptionsDlg::OnCreateAdventure() {
  if (m_launchState != LaunchState::kEditing) {
    return;
  }
  m_launchState = LaunchState::kLaunching;
  LockControls();
  AfxGetApp()->BeginWaitCursor();

  // Nothing is stored or started from values the user still has to mend.
  if (!UpdateData(TRUE)) {
    AfxGetApp()->EndWaitCursor();
    UnlockAfterFailedExchange();
    m_launchState = LaunchState::kEditing;
    return;
  }

  OptionSet options = *this;
  options.traffic = m_trafficSlider.GetPos();
  WriteStoredOptionSet(options);

  if (!StartProgram(options)) {
    AfxGetApp()->EndWaitCursor();
    m_launchState = LaunchState::kEditing;
    OnCancel();
    return;
  }

  m_launchState = LaunchState::kWaiting;
  m_timerRunning = SetTimer(m_hWnd, kWaitTimer, kWaitPeriodMs, nullptr) != 0;
  if (!m_timerRunning) {
    WaitWithoutTimer();
  }
}

void COptionsDlg::LockControls() {
  for (int id : kLockedControls) {
    ::EnableWindow(GetDlgItem(id), FALSE);
  }
  m_trafficSlider.EnableWindow(FALSE);
}

void COptionsDlg::UnlockAfterFailedExchange() {
  ApplyEnablingRules(EnablingScope::kAll);
  ::EnableWindow(GetDlgItem(IDC_ACTIVE), TRUE);
  ::EnableWindow(GetDlgItem(IDC_CREATE_ADVENTURE), TRUE);
  if (m_failedControl) {
    // The field that stopped the start must be open to mending, even where the
    // enabling table would disable it.
    ::EnableWindow(m_failedControl, TRUE);
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(m_failedControl), TRUE);
    ::SendMessageA(m_failedControl, EM_SETSEL, 0, -1);
  }
}

bool COptionsDlg::StartProgram(const OptionSet& options) {
  const bool patcher = active != 0;
  const char* program = patcher ? "patch.exe" : "zuru2.exe";
  const std::string parameters = patcher ? BuildParameterText(cmdline, options) : cmdline;
  // A command line Windows cannot take is a failed start, never a cut one.
  if (!FitsCommandLineLimit(program, parameters)) {
    return false;
  }

  execinfo = SHELLEXECUTEINFOA{};
  execinfo.cbSize = sizeof execinfo;
  execinfo.fMask = SEE_MASK_NOCLOSEPROCESS;
  execinfo.hwnd = m_hWnd;
  execinfo.lpVerb = "open";
  execinfo.lpFile = program;
  execinfo.lpParameters = parameters.c_str();
  execinfo.nShow = SW_HIDE;
  const bool started = StartThroughShell(&execinfo) != FALSE;
  // Only the process handle is used from here on; the text ends with this call.
  execinfo.lpParameters = nullptr;
  return started;
}

void COptionsDlg::OnTimer() {
  // Only the wait's own timer has something to poll.
  if (m_launchState == LaunchState::kWaiting && HasStartedProgramEnded()) {
    EndWait();
  }
}

bool COptionsDlg::HasStartedProgramEnded() const {
  DWORD exitCode = 0;
  if (!GetExitCodeProcess(execinfo.hProcess, &exitCode) || exitCode != STILL_ACTIVE) {
    return true;
  }
  // A program may end with the code 259 itself; its handle tells.
  return WaitForSingleObject(execinfo.hProcess, 0) == WAIT_OBJECT_0;
}

void COptionsDlg::WaitWithoutTimer() {
  // Without the timer the dialog waits here, still painting and answering.
  while (m_launchState == LaunchState::kWaiting) {
    if (HasStartedProgramEnded()) {
      EndWait();
      return;
    }
    HANDLE process = execinfo.hProcess;
    const DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT);
    if (woken == WAIT_FAILED) {
      EndWait();
      return;
    }
    MSG message;
    while (m_launchState == LaunchState::kWaiting &&
           PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        // The quit belongs to the loop outside; the adventure file must still
        // outlive the started program.
        PostQuitMessage(static_cast<int>(message.wParam));
        WaitForSingleObject(process, INFINITE);
        EndWait();
        return;
      }
      if (!IsDialogMessageA(m_hWnd, &message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    }
  }
}

void COptionsDlg::EndWait() {
  m_launchState = LaunchState::kEnded;
  if (m_timerRunning) {
    KillTimer(m_hWnd, kWaitTimer);
    m_timerRunning = false;
  }
  if (execinfo.hProcess) {
    CloseHandle(execinfo.hProcess);
    execinfo.hProcess = nullptr;
  }
  AfxGetApp()->EndWaitCursor();
  // The values were checked before the start, so this last read cannot
  // normally fail; whatever it gives, the dialog ends and is never left locked.
  UpdateData(TRUE);
  EndDialog(IDOK);
}
