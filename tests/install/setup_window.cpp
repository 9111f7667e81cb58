#include "setup_window.h"

#include <stdexcept>

#include "driver/wait.h"

namespace setup {
namespace {

HWND ShownPage(HWND frame) { return FindWindowExA(frame, nullptr, "#32770", nullptr); }

BOOL CALLBACK AddText(HWND control, LPARAM text) {
  std::string line = e2e::WindowText(control);
  if (!line.empty() && IsWindowVisible(control))
    *reinterpret_cast<std::string*>(text) += line + "\n";
  return TRUE;
}

}  // namespace

e2e::Dialog WaitForSetupFrame(DWORD processId, e2e::ScaledMs timeout) {
  // Pages after the first add their name to the caption ("...: Installation Folder").
  return e2e::WaitForDialog(
      processId, [](HWND window) { return e2e::WindowText(window).rfind(kSetupCaption, 0) == 0; },
      timeout);
}

e2e::Dialog WaitForPage(const e2e::Dialog& frame, int id, e2e::ScaledMs timeout) {
  HWND page = nullptr;
  e2e::WaitUntil(
      [&] {
        page = ShownPage(frame.Handle());
        return page && IsWindowVisible(page) && GetDlgItem(page, id);
      },
      timeout);
  if (!page || !GetDlgItem(page, id))
    throw std::runtime_error("the setup program shows no page with control " + std::to_string(id));
  return e2e::Dialog(page);
}

e2e::Dialog GoToFolderPage(const e2e::Dialog& frame) {
  // The welcome page first: its Next leads to the folder page.
  if (!e2e::WaitUntil([&] { return ShownPage(frame.Handle()) && frame.Enabled(kNextButton); }))
    throw std::runtime_error("the setup program shows no welcome page");
  frame.Click(kNextButton);
  return WaitForPage(frame, kFolderEdit);
}

std::string PageText(const e2e::Dialog& page) {
  std::string text;
  EnumChildWindows(page.Handle(), AddText, reinterpret_cast<LPARAM>(&text));
  return text;
}

bool CancelSetup(const e2e::Dialog& frame, DWORD processId) {
  frame.PostClick(kCancelButton);
  HWND question = nullptr;
  e2e::WaitUntil([&] {
    for (HWND window : e2e::VisibleDialogs(processId))
      if (window != frame.Handle() && GetDlgItem(window, IDYES)) question = window;
    return question != nullptr;
  });
  if (!question) return false;
  e2e::Dialog(question).PostClick(IDYES);
  return true;
}

}  // namespace setup
