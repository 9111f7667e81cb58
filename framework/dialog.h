#pragma once
// Modal dialogs from resource templates, with their message routing and the base
// steps that run a data exchange.
#include <windows.h>

#include <vector>

#include "framework/wnd.h"

struct ExchangeContext;

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // Runs the dialog modally; the result of EndDialog, or -1 when the window
  // could not be created.
  virtual INT_PTR DoModal();
  void EndDialog(INT_PTR result);

  // Runs DoDataExchange in one direction: false shows the members in the
  // controls, true reads and validates the controls. False when it failed.
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

  // Moves the focus to `control` the way the dialog manager does (WM_NEXTDLGCTL),
  // so that the default button follows and an edit's text is selected.
  void GotoDlgCtrl(HWND control) const;

  // The dialog whose exchange is running (null outside one).
  static HWND ExchangeWindow();

  // Lets go of `wrapper` (Detach) when this dialog's window is destroyed, so that
  // the next run of the dialog binds it again. Used by ExchangeControl.
  void DetachOnDestroy(CWnd& wrapper);

 protected:
  virtual void DoDataExchange(ExchangeContext& dx);
  // Base steps: a to-controls exchange; a validating exchange then IDOK; IDCANCEL.
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  // A command from a control (id, notification code) or a menu (code 0). Return
  // true when handled. The base routes IDOK and IDCANCEL to OnOK and OnCancel.
  virtual bool OnCommand(UINT id, UINT code);
  // Any other message; return true and set `result` when handled.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // Looks `id`/`code` up in a dialog's table of click handlers and runs the match.
  template <class Dialog>
  struct CommandEntry {
    UINT id;
    UINT code;
    void (Dialog::*handler)();
  };
  template <class Dialog, size_t N>
  static bool Dispatch(Dialog* dialog, const CommandEntry<Dialog> (&map)[N], UINT id, UINT code) {
    for (const auto& entry : map) {
      if (entry.id == id && entry.code == code) {
        (dialog->*entry.handler)();
        return true;
      }
    }
    return false;
  }

  UINT m_templateId;
  CWnd* m_parent;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR RouteCommand(WPARAM wParam);
  void ReleaseWindow();

  std::vector<CWnd*> m_boundWrappers;
};
