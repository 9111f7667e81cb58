#include "framework/controls.h"

#include <commctrl.h>

#include <algorithm>

int CSliderCtrl::GetPos() const { return static_cast<int>(Send(TBM_GETPOS)); }

void CSliderCtrl::SetPos(int position) const {
  Send(TBM_SETPOS, TRUE, static_cast<LPARAM>(position));
}

void CSliderCtrl::SetRange(int minimum, int maximum) const {
  Send(TBM_SETRANGEMIN, FALSE, static_cast<LPARAM>(minimum));
  Send(TBM_SETRANGEMAX, FALSE, static_cast<LPARAM>(maximum));
}

void CSliderCtrl::SetPageSize(int size) const {
  Send(TBM_SETPAGESIZE, 0, static_cast<LPARAM>(size));
}

void CSliderCtrl::SetTicFreq(int frequency) const {
  Send(TBM_SETTICFREQ, static_cast<WPARAM>(frequency), 0);
}

int CListBox::AddString(const std::string& text) const {
  return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int CListBox::DeleteString(int index) const {
  return static_cast<int>(Send(LB_DELETESTRING, static_cast<WPARAM>(index)));
}

int CListBox::GetCount() const { return static_cast<int>(Send(LB_GETCOUNT)); }

int CListBox::GetCurSel() const { return static_cast<int>(Send(LB_GETCURSEL)); }

std::string CListBox::GetText(int index) const {
  const LRESULT length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (length == LB_ERR || length <= 0) {
    return std::string();
  }
  // Room for the terminator that LB_GETTEXT writes after the row.
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const LRESULT copied =
      Send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(copied == LB_ERR ? 0
                               : std::min<std::size_t>(static_cast<std::size_t>(copied), length));
  return text;
}
