#pragma once
// A test dialog made the program's main window, with its message boxes answered
// and a few readers of its controls.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "exchange/tests/box_answerer.h"
#include "exchange/tests/scripted_dialog.h"
#include "exchange/tests/test_app.h"

class DialogTest : public testing::Test {
 protected:
  void SetUp() override { App().m_pMainWnd = &dlg; }
  void TearDown() override { App().m_pMainWnd = nullptr; }

  INT_PTR Run(ScriptedDialog::Step step) { return dlg.Run({std::move(step)}); }

  std::string Text(int id) const {
    const HWND control = dlg.Item(id);
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(control, &text[0], static_cast<int>(text.size()))));
    return text;
  }
  void SetText(int id, const std::string& text) const {
    SetWindowTextA(dlg.Item(id), text.c_str());
  }
  int Check(int id) const {
    return static_cast<int>(SendMessageA(dlg.Item(id), BM_GETCHECK, 0, 0));
  }
  void SetCheck(int id, int state) const {
    SendMessageA(dlg.Item(id), BM_SETCHECK, static_cast<WPARAM>(state), 0);
  }
  std::pair<DWORD, DWORD> Selection(int id) const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(dlg.Item(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }

  BoxAnswerer boxes;
  ExchangeTestDlg dlg;
};
