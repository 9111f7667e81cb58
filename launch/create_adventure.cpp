// "Create &adventure": lock the dialog, store the options and start the patcher
// or the compiler, hidden; then wait for it to end.
#include <exception>
#include <string>

#include "core/parameter_text.h"
#include "framework/app.h"
#include "launch/command_line_limit.h"
#include "launch/shell_start.h"
#include "launch/system_shell.h"
#include "launch/wait_timer.h"
#include "options/options_dlg.h"
#include "res/resource.h"
#include "settings/option_store.h"

namespace {

constexpr UINT_PTR kWaitTimer = 1;
constexpr UINT kWaitPeriodMs = 500;

static_assert(sizeof(void*) != 4 || sizeof(SHELLEXECUTEINFOA) == 60,
              "the process-start record of a 32-bit program");

// `limit` counts the terminator, as the system's limits do.
std::string CommandLineTooLongMessage(const std::string& program, std::size_t length,
                                      std::size_t limit, bool patcher) {
  std::string text = program + " cannot be started: its command line would have " +
                     std::to_string(length) + " characters, more than the " +
                     std::to_string(limit - 1) + " that Windows accepts.";
  text += patcher ? "\n\nSwitch \"Use Quirtel\" off to hand the adventure straight to zuru2.exe, "
                    "or cancel."
                  : "\n\nThe adventure file's path is too long to be handed on. Close this "
                    "window to cancel the adventure.";
  return text;
}

}  // namespace

void COptionsDlg::OnCreateAdventure() {
  if (m_launchState != LaunchState::kEditing) {
    return;
  }
  m_launchState = LaunchState::kLaunching;
  LockControls();
  AfxGetApp()->BeginWaitCursor();
  // Whatever fails before the program has started (out of memory, a library
  // check) is reported by the dialog's message routing; the dialog must not
  // stay locked under the wait cursor, with Cancel refused.
  struct BackToEditingOnFailure {
    COptionsDlg& dialog;
    const int failuresBefore = std::uncaught_exceptions();
    ~BackToEditingOnFailure() {
      if (std::uncaught_exceptions() > failuresBefore &&
          dialog.m_launchState == LaunchState::kLaunching) {
        dialog.ReturnToEditing(nullptr);
      }
    }
  } backToEditingOnFailure{*this};

  // Nothing is stored or started from values the user still has to mend.
  if (!UpdateData(TRUE)) {
    ReturnToEditing(m_failedControl);
    return;
  }

  OptionSet options = *this;
  options.traffic = m_trafficSlider.GetPos();
  WriteStoredOptionSet(options);

  const bool patcher = active != 0;
  const char* program = patcher ? "patch.exe" : "zuru2.exe";
  const std::string parameters = patcher ? BuildParameterText(cmdline, options) : cmdline;

  // A command line Windows cannot take is never cut. The user is told, and the
  // adventure file stays, so that a shorter way can be chosen.
  const std::size_t length = StartedCommandLineLength(program, parameters);
  if (!FitsCommandLineLimit(length)) {
    AfxMessageBox(CommandLineTooLongMessage(program, length, kCommandLineLimit, patcher));
    ReturnToEditing(GetDlgItem(IDC_ACTIVE));
    return;
  }

  if (!StartProgram(program, parameters)) {
    // The shell of older Windows refuses shorter command lines than
    // CreateProcess does: a start it may have refused for the length keeps
    // the adventure as well.
    const std::size_t shellLimit = ShellCommandLineLimit();
    if (length >= shellLimit) {
      AfxMessageBox(CommandLineTooLongMessage(program, length, shellLimit, patcher));
      ReturnToEditing(GetDlgItem(IDC_ACTIVE));
      return;
    }
    // The shell has shown its own message; no adventure is built.
    AfxGetApp()->EndWaitCursor();
    m_launchState = LaunchState::kEditing;
    OnCancel();
    return;
  }

  m_launchState = LaunchState::kWaiting;
  m_timerRunning = SetWaitTimer(m_hWnd, kWaitTimer, kWaitPeriodMs) != 0;
  if (!m_timerRunning) {
    WaitWithoutTimer();
  }
}

void COptionsDlg::ReturnToEditing(HWND focus) {
  AfxGetApp()->EndWaitCursor();
  UnlockControls();
  if (focus) {
    // The control to mend must be open to it, even where the enabling table
    // would disable it.
    ::EnableWindow(focus, TRUE);
    GotoDlgCtrl(focus);
  }
  m_launchState = LaunchState::kEditing;
}

bool COptionsDlg::StartProgram(const char* program, const std::string& parameters) {
  execinfo = SHELLEXECUTEINFOA{};
  execinfo.cbSize = sizeof execinfo;
  execinfo.fMask = SEE_MASK_NOCLOSEPROCESS;
  execinfo.hwnd = m_hWnd;
  execinfo.lpVerb = "open";
  execinfo.lpFile = program;
  execinfo.lpParameters = parameters.c_str();
  execinfo.nShow = SW_HIDE;
  const bool started = StartThroughShell(&execinfo) != FALSE;
  // Only the process handle is used from here on; the texts end with this call.
  execinfo.lpFile = nullptr;
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
  // Without the timer the dialog waits here, still painting and answering. A
  // quit that arrives meanwhile belongs to the loop outside, but only after the
  // started program has ended: the adventure file must outlive it.
  bool quit = false;
  int quitCode = 0;
  while (m_launchState == LaunchState::kWaiting) {
    if (HasStartedProgramEnded()) {
      break;
    }
    HANDLE process = execinfo.hProcess;
    if (MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT) == WAIT_FAILED) {
      break;
    }
    MSG message;
    while (m_launchState == LaunchState::kWaiting &&
           PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quit = true;
        quitCode = static_cast<int>(message.wParam);
      } else if (!IsDialogMessageA(m_hWnd, &message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
    }
  }
  if (m_launchState == LaunchState::kWaiting) {
    EndWait();
  }
  if (quit) {
    PostQuitMessage(quitCode);
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
