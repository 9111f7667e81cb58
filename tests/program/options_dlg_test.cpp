// The options dialog when its first exchange fails: one message for one fault,
// and the dialog ends.
#include <gtest/gtest.h>

#include "exchange/tests/box_answerer.h"
#include "framework/app.h"
#include "options/options_dlg.h"
#include "res/resource.h"

namespace {

HHOOK g_hook = nullptr;

// Takes a check box away from the options dialog just before it initialises,
// so that the exchange finds a control missing.
LRESULT CALLBACK RemoveCheckBoxOnInit(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_INITDIALOG) {
    if (HWND pcm = GetDlgItem(message->hwnd, IDC_PCM)) {
      DestroyWindow(pcm);
    }
  }
  return CallNextHookEx(g_hook, code, wParam, lParam);
}

TEST(OptionsDlgTest, AFailingFirstExchangeEndsTheDialogWithOneMessage) {
  BoxAnswerer boxes;
  g_hook = SetWindowsHookExA(WH_CALLWNDPROC, &RemoveCheckBoxOnInit, nullptr, GetCurrentThreadId());
  ASSERT_NE(g_hook, nullptr);
  COptionsDlg dialog;
  AfxGetApp()->m_pMainWnd = &dialog;
  const INT_PTR result = dialog.DoModal();
  AfxGetApp()->m_pMainWnd = nullptr;
  UnhookWindowsHookEx(g_hook);

  EXPECT_EQ(result, -1);
  const std::vector<BoxRecord> shown = boxes.Boxes();
  std::string texts;
  for (const BoxRecord& box : shown) texts += "\n  \"" + box.text + "\"";
  ASSERT_EQ(shown.size(), 1u) << "the boxes shown:" << texts;
  EXPECT_EQ(shown[0].text, "An unsupported operation was attempted.");
}

}  // namespace
