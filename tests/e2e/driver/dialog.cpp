#include "driver/dialog.h"

#include "tests/support/deadline.h"

#include <commctrl.h>

#include <stdexcept>

namespace e2e {

namespace {

// A message to another process that does not come back in this time means the
// program is stuck, or a modal window opened where none was expected.
const UINT kSendTimeoutMs = test_support::Deadline(10000).Ms();
constexpr int kMessageTextId = 0xFFFF;

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                 nullptr, nullptr);
  std::string text(size, '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &text[0], size,
                      nullptr, nullptr);
  return text;
}

struct WindowSearch {
  DWORD processId;
  bool dialogsOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if ((search->processId == 0 || owner == search->processId) && IsWindowVisible(window) &&
      (!search->dialogsOnly || ClassName(window) == "#32770")) {
    search->found.push_back(window);
  }
  return TRUE;
}

std::vector<HWND> TopWindows(DWORD processId, bool dialogsOnly) {
  WindowSearch search{processId, dialogsOnly, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

std::string ClassName(HWND window) {
  char name[256] = {};
  int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &length))
    throw std::runtime_error("WM_GETTEXTLENGTH did not come back");
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                           SMTO_NORMAL, kSendTimeoutMs, &copied))
    throw std::runtime_error("WM_GETTEXT did not come back");
  text.resize(copied);
  return text;
}

std::vector<HWND> VisibleDialogs(DWORD processId) { return TopWindows(processId, true); }

bool HasVisibleWindow(DWORD processId) { return !TopWindows(processId, false).empty(); }

bool Dialog::IsOpen() const { return IsWindow(m_window) && IsWindowVisible(m_window); }

bool Dialog::HasItem(int id) const { return GetDlgItem(m_window, id) != nullptr; }

HWND Dialog::Item(int id) const {
  HWND item = GetDlgItem(m_window, id);
  if (!item) throw std::runtime_error("the dialog has no control " + std::to_string(id));
  return item;
}

LRESULT Dialog::Send(HWND target, UINT message, WPARAM wParam, LPARAM lParam) const {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(target, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result))
    throw std::runtime_error("message " + std::to_string(message) +
                             " did not come back: is a modal window open?");
  return static_cast<LRESULT>(result);
}

std::string Dialog::Text(int id) const { return WindowText(Item(id)); }

bool Dialog::Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }

bool Dialog::Checked(int id) const { return Send(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

int Dialog::TrackPos(int id) const { return static_cast<int>(Send(Item(id), TBM_GETPOS, 0, 0)); }

int Dialog::FocusId() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(m_window, nullptr), &info) || !info.hwndFocus)
    return 0;
  return GetDlgCtrlID(info.hwndFocus);
}

int Dialog::FocusIdWhenActive() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(m_window, nullptr), &info) && !info.hwndActive)
    SetForegroundWindow(m_window);
  return FocusId();
}

std::pair<int, int> Dialog::Selection(int id) const {
  LRESULT both = Send(Item(id), EM_GETSEL, 0, 0);
  return {LOWORD(both), HIWORD(both)};
}

std::vector<std::string> Dialog::ListRows(int id) const {
  // The ANSI form of LB_GETTEXT comes back garbled across processes under Wine.
  HWND list = Item(id);
  int count = static_cast<int>(Send(list, LB_GETCOUNT, 0, 0));
  std::vector<std::string> rows;
  for (int row = 0; row < count; ++row) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(list, LB_GETTEXTLEN, row, 0, SMTO_NORMAL, kSendTimeoutMs, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL,
                        kSendTimeoutMs, &copied);
    text.resize(copied == static_cast<DWORD_PTR>(LB_ERR) ? 0 : copied);
    rows.push_back(Narrow(text));
  }
  return rows;
}

void Dialog::Click(int id) const { Send(Item(id), BM_CLICK, 0, 0); }

void Dialog::PostClick(int id) const { PostMessageA(Item(id), BM_CLICK, 0, 0); }

void Dialog::SetCheck(int id, bool checked) const {
  if (Checked(id) != checked) Click(id);
  if (Checked(id) != checked)
    throw std::runtime_error("check box " + std::to_string(id) + " did not change");
}

void Dialog::Type(int id, const std::string& text) const {
  HWND edit = Item(id);
  // As the Tab key would: the dialog manager moves the focus and selects the text.
  Send(m_window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
  Send(edit, EM_SETSEL, 0, -1);
  if (text.empty()) Send(edit, WM_CHAR, VK_BACK, 1);
  for (unsigned char c : text) Send(edit, WM_CHAR, c, 1);
  if (Text(id) != text) throw std::runtime_error("typing into " + std::to_string(id) + " failed");
}

void Dialog::SetTrackPos(int id, int position) const {
  HWND trackbar = Item(id);
  Send(trackbar, TBM_SETPOS, TRUE, position);
  Send(m_window, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
       reinterpret_cast<LPARAM>(trackbar));
  Send(m_window, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(trackbar));
}

void Dialog::PressEscape() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(m_window, nullptr), &info);
  HWND target = info.hwndFocus ? info.hwndFocus : m_window;
  const LPARAM scanEscape = MapVirtualKeyA(VK_ESCAPE, 0) << 16;
  PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, scanEscape | 1);
  PostMessageA(target, WM_KEYUP, VK_ESCAPE, scanEscape | 1 | 0xC0000000);
}

void Dialog::SendClose() const { Send(m_window, WM_CLOSE, 0, 0); }

void Dialog::SendCommand(int commandId) const {
  Send(m_window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

void Dialog::WaitUntilIdle() const {
  // A sent message is handled only where the thread asks for messages: after
  // the handler that runs now has returned to a message loop.
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(m_window, WM_NULL, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &result) &&
      IsWindow(m_window))
    throw std::runtime_error("the dialog's thread does not come back to its message loop");
}

namespace {

// Posted messages are handled in order: once a mark posted after them has
// arrived, so have they. A control that has gone has handled them too.
// `read(value)` reads the control's mark (false when it does not answer);
// `post(mark)` posts a new one. False at the deadline.
template <class Mark, class Read, class Post>
bool WaitForPostedMark(HWND control, Read read, Post post, Mark now, Mark other) {
  Mark before;
  if (!read(before)) {
    if (!IsWindow(control)) return true;
    throw std::runtime_error("the marking control does not answer");
  }
  const Mark mark = before == now ? other : now;
  post(mark);
  Mark seen;
  return WaitUntil([&] { return !IsWindow(control) || (read(seen) && seen == mark); });
}

}  // namespace

bool Dialog::WaitForPostedMessages(int editId) const {
  HWND edit = Item(editId);
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &length)) {
    if (!IsWindow(edit)) return true;
    throw std::runtime_error("the marking edit does not answer");
  }
  if (length == 0) throw std::runtime_error("the marking edit must hold text");
  auto selection = [edit](std::pair<int, int>& both) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(edit, EM_GETSEL, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &result))
      return false;
    both = {LOWORD(result), HIWORD(result)};
    return true;
  };
  auto select = [edit](std::pair<int, int> both) {
    PostMessageA(edit, EM_SETSEL, both.first, both.second);
  };
  return WaitForPostedMark(edit, selection, select, std::make_pair(0, 0),
                           std::make_pair(0, static_cast<int>(length)));
}

void Dialog::WaitForPostedMessagesToList(int listId) const {
  HWND list = Item(listId);
  auto extent = [list](DWORD_PTR& value) {
    return SendMessageTimeoutA(list, LB_GETHORIZONTALEXTENT, 0, 0, SMTO_NORMAL, kSendTimeoutMs,
                               &value) != 0;
  };
  auto setExtent = [list](DWORD_PTR value) {
    PostMessageA(list, LB_SETHORIZONTALEXTENT, value, 0);
  };
  if (!WaitForPostedMark(list, extent, setExtent, DWORD_PTR{1}, DWORD_PTR{2}))
    throw std::runtime_error("the list box did not take what was posted to it");
}

Dialog WaitForOptionsDialog(DWORD processId, ScaledMs timeout) {
  return WaitForDialog(
      processId, [](HWND window) { return GetDlgItem(window, 1005) != nullptr; }, timeout);
}

Dialog WaitForDialogCaption(DWORD processId, const std::string& caption, ScaledMs timeout) {
  return WaitForDialog(
      processId, [&](HWND window) { return WindowText(window) == caption; }, timeout);
}

std::optional<MessageBoxSeen> WaitForMessageBox(DWORD processId, HWND besides, ScaledMs timeout) {
  std::optional<MessageBoxSeen> seen;
  WaitUntil(
      [&] {
        for (HWND window : VisibleDialogs(processId)) {
          HWND text = GetDlgItem(window, kMessageTextId);
          if (window == besides || !text || !GetDlgItem(window, IDOK)) continue;
          if (ClassName(text) != "Static") continue;
          seen = MessageBoxSeen{window, WindowText(window), WindowText(text)};
          return true;
        }
        return false;
      },
      timeout);
  return seen;
}

void AnswerOk(const MessageBoxSeen& box) {
  PostMessageA(GetDlgItem(box.window, IDOK), BM_CLICK, 0, 0);
  if (!WaitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); }))
    throw std::runtime_error("the message box did not close");
}

}  // namespace e2e
