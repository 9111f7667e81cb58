#include "exchange/tests/box_answerer.h"

#include "tests/support/deadline.h"

#include <algorithm>

namespace {

// Guards the set of test dialogs against the helper thread.
class Lock {
 public:
  explicit Lock(CRITICAL_SECTION& section) : m_section(section) {
    EnterCriticalSection(&m_section);
  }
  ~Lock() { LeaveCriticalSection(&m_section); }

 private:
  CRITICAL_SECTION& m_section;
};

struct TestDialogs {
  TestDialogs() { InitializeCriticalSection(&lock); }
  CRITICAL_SECTION lock;
  std::vector<HWND> windows;
};

TestDialogs& Dialogs() {
  static TestDialogs dialogs;
  return dialogs;
}

bool IsTestDialog(HWND window) {
  TestDialogs& dialogs = Dialogs();
  Lock lock(dialogs.lock);
  return std::find(dialogs.windows.begin(), dialogs.windows.end(), window) != dialogs.windows.end();
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

// Messages to the user-interface thread must not block the helper forever. The
// deadline alone ends the wait: SMTO_ABORTIFHUNG would also give up at once on
// a thread that has not looked for messages for five seconds, a fixed time
// that a slow (emulated) machine reaches while the box is being made.
LRESULT AskWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL,
                      test_support::Deadline(2000).Ms(), &answer);
  return static_cast<LRESULT>(answer);
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  AskWindow(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
  text[sizeof(text) - 1] = '\0';
  return text;
}

struct BoxContents {
  BoxRecord record;
  HWND firstButton = nullptr;
};

BOOL CALLBACK ReadChild(HWND child, LPARAM param) {
  BoxContents& contents = *reinterpret_cast<BoxContents*>(param);
  const std::string kind = ClassOf(child);
  if (kind == "Static") {
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      if (IsWindowVisible(child)) {
        contents.record.icon = reinterpret_cast<HICON>(AskWindow(child, STM_GETICON, 0, 0));
      }
      contents.record.exclamationIcon =
          contents.record.icon && contents.record.icon == LoadIcon(nullptr, IDI_EXCLAMATION);
    } else {
      const std::string text = TextOf(child);
      if (!text.empty()) {
        contents.record.text = text;
      }
    }
  } else if (kind == "Button" && IsWindowVisible(child)) {
    ++contents.record.buttons;
    if (!contents.firstButton) {
      contents.firstButton = child;
    }
  }
  return TRUE;
}

struct BoxSearch {
  const std::vector<HWND>* answered;
  HWND found;
};

// A message box: a visible dialog window that is none of the test's own dialogs
// and has not been answered yet.
BOOL CALLBACK ConsiderWindow(HWND window, LPARAM param) {
  BoxSearch& search = *reinterpret_cast<BoxSearch*>(param);
  if (IsWindowVisible(window) && ClassOf(window) == "#32770" && !IsTestDialog(window) &&
      std::find(search.answered->begin(), search.answered->end(), window) ==
          search.answered->end()) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

void RegisterTestDialog(HWND dialog) {
  TestDialogs& dialogs = Dialogs();
  Lock lock(dialogs.lock);
  dialogs.windows.push_back(dialog);
}

void UnregisterTestDialog(HWND dialog) {
  TestDialogs& dialogs = Dialogs();
  Lock lock(dialogs.lock);
  dialogs.windows.erase(std::remove(dialogs.windows.begin(), dialogs.windows.end(), dialog),
                        dialogs.windows.end());
}

BoxAnswerer::BoxAnswerer()
    : m_uiThread(GetCurrentThreadId()), m_stop(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
  InitializeCriticalSection(&m_lock);
  m_thread = CreateThread(nullptr, 0, &BoxAnswerer::ThreadMain, this, 0, nullptr);
}

BoxAnswerer::~BoxAnswerer() {
  SetEvent(m_stop);
  if (m_thread) {
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
  }
  CloseHandle(m_stop);
  DeleteCriticalSection(&m_lock);
}

void BoxAnswerer::SetWhileOpen(std::function<void(HWND box)> whileOpen) {
  Lock lock(m_lock);
  m_whileOpen = std::move(whileOpen);
}

std::vector<BoxRecord> BoxAnswerer::Boxes() const {
  Lock lock(m_lock);
  return m_boxes;
}

DWORD WINAPI BoxAnswerer::ThreadMain(void* self) {
  static_cast<BoxAnswerer*>(self)->Watch();
  return 0;
}

void BoxAnswerer::Watch() {
  // Looks again every few milliseconds until the test is over.
  while (WaitForSingleObject(m_stop, 5) == WAIT_TIMEOUT) {
    if (const HWND box = FindOpenBox()) {
      Answer(box);
    }
  }
}

HWND BoxAnswerer::FindOpenBox() const {
  BoxSearch search{&m_answered, nullptr};
  EnumThreadWindows(m_uiThread, &ConsiderWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void BoxAnswerer::Answer(HWND box) {
  BoxContents contents;
  contents.record.caption = TextOf(box);
  contents.record.owner = GetWindow(box, GW_OWNER);
  EnumChildWindows(box, &ReadChild, reinterpret_cast<LPARAM>(&contents));
  if (!IsWindowVisible(box)) {
    // Gone before any answer, so no message box: a dialog of the code under test
    // that showed for a moment while it ended (the dialog manager shows a dialog
    // whose template is visible even when its initialisation has ended it).
    m_answered.push_back(box);
    return;
  }
  std::function<void(HWND)> whileOpen;
  {
    Lock lock(m_lock);
    m_boxes.push_back(contents.record);
    whileOpen = m_whileOpen;
  }
  if (whileOpen) {
    whileOpen(box);
  }
  m_answered.push_back(box);
  const int button = contents.firstButton ? GetDlgCtrlID(contents.firstButton) : IDOK;
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(contents.firstButton));
}
