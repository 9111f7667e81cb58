#pragma once
// Answers the message boxes that the code under test opens on the test's
// user-interface thread: a helper thread waits for each box, records what it
// shows, and presses its first button.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct BoxRecord {
  std::string caption;
  std::string text;
  HWND owner = nullptr;
  HICON icon = nullptr;  // null when the box shows none
  bool exclamationIcon = false;
  int buttons = 0;
};

class BoxAnswerer {
 public:
  BoxAnswerer();
  ~BoxAnswerer();
  BoxAnswerer(const BoxAnswerer&) = delete;
  BoxAnswerer& operator=(const BoxAnswerer&) = delete;

  // Runs on the helper thread for each box, after it has been recorded and
  // before it is answered (the box is still open then).
  void SetWhileOpen(std::function<void(HWND box)> whileOpen);
  std::vector<BoxRecord> Boxes() const;
  std::size_t Count() const { return Boxes().size(); }

 private:
  static DWORD WINAPI ThreadMain(void* self);
  void Watch();
  HWND FindOpenBox() const;
  void Answer(HWND box);

  DWORD m_uiThread;
  HANDLE m_stop;
  HANDLE m_thread = nullptr;
  mutable CRITICAL_SECTION m_lock;
  std::vector<BoxRecord> m_boxes;
  std::vector<HWND> m_answered;  // helper thread only
  std::function<void(HWND)> m_whileOpen;
};

// The test program's own dialogs, which are not message boxes.
void RegisterTestDialog(HWND dialog);
void UnregisterTestDialog(HWND dialog);
