#pragma once
// Finding a program's windows and using their controls from outside, the way a
// person at the keyboard and mouse would.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "driver/wait.h"

namespace e2e {

std::string ClassName(HWND window);
std::string WindowText(HWND window);  // WM_GETTEXT

// The visible dialogs (class #32770) of process `processId` (0: of any process), in z-order.
std::vector<HWND> VisibleDialogs(DWORD processId);
// Any visible top-level window of the process.
bool HasVisibleWindow(DWORD processId);

class Dialog {
 public:
  explicit Dialog(HWND window) : m_window(window) {}
  HWND Handle() const { return m_window; }
  bool IsOpen() const;  // the window still exists and is visible
  std::string Caption() const { return WindowText(m_window); }
  bool HasItem(int id) const;
  HWND Item(int id) const;  // throws when the dialog has no such control

  // Reading.
  std::string Text(int id) const;
  bool Enabled(int id) const;
  bool Checked(int id) const;  // BM_GETCHECK reports BST_CHECKED
  int TrackPos(int id) const;  // TBM_GETPOS
  // The id of the control that has the keyboard focus in the dialog's thread, 0 for none.
  int FocusId() const;
  // The control that has the focus once the dialog is the active window, as a
  // person sees it who comes back to the window. Under a virtual display without
  // a window manager, the closing of a message box can leave no window active for
  // good: Wine's X11 driver, when it handles the owner's X focus-out late (a busy
  // machine), after the box has gone and X has put its focus on the root window,
  // makes the desktop the foreground window. Activating the dialog gives the focus
  // back to the control the program chose.
  int FocusIdWhenActive() const;
  std::pair<int, int> Selection(int id) const;  // EM_GETSEL: start, end
  std::vector<std::string> ListRows(int id) const;

  // Acting. Click waits for the click's handler; PostClick does not, for a click
  // that opens a modal window or a message box.
  void Click(int id) const;
  void PostClick(int id) const;
  // Clicks a check box until it shows `checked`.
  void SetCheck(int id, bool checked) const;
  // Gives the edit the focus, selects its text and types `text` over it, a
  // character at a time (an empty text: a Backspace).
  void Type(int id, const std::string& text) const;
  // Moves the trackbar and tells its parent, as a drag of the thumb would.
  void SetTrackPos(int id, int position) const;
  // Escape on the keyboard, to the focused control (or the dialog when none has
  // the focus), through the program's message loop.
  void PressEscape() const;
  void SendClose() const;                 // WM_CLOSE, as the title bar's close box would
  void SendCommand(int commandId) const;  // WM_COMMAND without a control, as a menu or key would

  // Waits until the messages posted to this dialog so far have been handled, or
  // the dialog has gone; false at the deadline. `editId` names an edit whose
  // selection marks the point.
  bool WaitForPostedMessages(int editId) const;
  // The same, for a dialog without an edit: `listId` names a list box (without a
  // horizontal scroll bar) whose horizontal extent marks the point. Posted
  // messages are taken by the loop that runs when they arrive: posted after a
  // nested modal dialog has gone, the mark is handled only once the handler that
  // opened that dialog has returned. Throws at the deadline.
  void WaitForPostedMessagesToList(int listId) const;
  // Waits until the dialog's thread is back in a message loop, so that what a
  // posted click or an answered message box set off has run to its end. Throws
  // when the thread does not answer in time.
  void WaitUntilIdle() const;

 private:
  LRESULT Send(HWND target, UINT message, WPARAM wParam, LPARAM lParam) const;
  HWND m_window;
};

// Waits for a visible dialog of the process that `matches`; throws at the deadline.
template <typename Match>
Dialog WaitForDialog(DWORD processId, Match matches, ScaledMs timeout);

// The options dialog of ZURU.EXE: the dialog with "Create &adventure" (1005).
Dialog WaitForOptionsDialog(DWORD processId, ScaledMs timeout = kDefaultTimeoutMs);
// A dialog of the process by its caption.
Dialog WaitForDialogCaption(DWORD processId, const std::string& caption,
                            ScaledMs timeout = kDefaultTimeoutMs);

struct MessageBoxSeen {
  HWND window;
  std::string caption;
  std::string text;
};
// A message box of the process: a dialog with the message text control (0xFFFF)
// and an OK button, other than `besides`. Nothing when none shows up in time.
std::optional<MessageBoxSeen> WaitForMessageBox(DWORD processId, HWND besides,
                                                ScaledMs timeout = kDefaultTimeoutMs);
// Presses OK on the message box and waits until it has gone.
void AnswerOk(const MessageBoxSeen& box);

}  // namespace e2e

#include "driver/dialog_wait.inl"
