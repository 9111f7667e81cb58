#pragma once
// Wrappers of the two common controls the dialogs talk to.
#include <string>

#include "framework/wnd.h"

class CSliderCtrl : public CWnd {
 public:
  int GetPos() const;                             // TBM_GETPOS
  void SetPos(int position) const;                // TBM_SETPOS with redraw
  void SetRange(int minimum, int maximum) const;  // TBM_SETRANGEMIN/MAX, no redraw
  void SetPageSize(int size) const;               // TBM_SETPAGESIZE
  void SetTicFreq(int frequency) const;           // TBM_SETTICFREQ
};

class CListBox : public CWnd {
 public:
  int AddString(const std::string& text) const;  // LB_ADDSTRING
  int DeleteString(int index) const;             // LB_DELETESTRING
  int GetCount() const;                          // LB_GETCOUNT
  int GetCurSel() const;                         // LB_GETCURSEL, LB_ERR when none
  std::string GetText(int index) const;          // LB_GETTEXTLEN + LB_GETTEXT
};
