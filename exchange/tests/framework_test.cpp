// The framework around the exchange: message boxes, the settings store, the
// wait cursor, command routing, start-up and the file replacement.
#include <atomic>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "exchange/tests/dialog_fixture.h"
#include "framework/exceptions.h"
#include "framework/profile.h"

#include "tests/support/deadline.h"

namespace {

using FrameworkTest = DialogTest;

struct BoxStyle {
  const char* name;
  UINT type;
  LPCSTR icon;  // a system icon, or null for none
  int buttons;
};

TEST(MessageBoxTest, BoxesWithoutAnIconGetTheExclamationMark) {
  const BoxStyle styles[] = {
      {"OK", MB_OK, IDI_EXCLAMATION, 1},
      {"OK/Cancel", MB_OKCANCEL, IDI_EXCLAMATION, 2},
      {"Yes/No", MB_YESNO, IDI_EXCLAMATION, 2},
      {"Yes/No/Cancel", MB_YESNOCANCEL, IDI_EXCLAMATION, 3},
      {"an icon of its own", MB_OK | MB_ICONINFORMATION, IDI_ASTERISK, 1},
      {"Retry/Cancel", MB_RETRYCANCEL, nullptr, 2},
  };
  BoxAnswerer boxes;
  for (const BoxStyle& style : styles) {
    SCOPED_TRACE(style.name);
    AfxMessageBox(std::string("Style ") + style.name, style.type);
    const std::vector<BoxRecord> shown = boxes.Boxes();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(std::string("Style ") + style.name, shown.back().text);
    EXPECT_EQ(style.icon ? LoadIcon(nullptr, style.icon) : nullptr, shown.back().icon);
    EXPECT_EQ(style.buttons, shown.back().buttons);
    // Without a main window the box has no owner.
    EXPECT_EQ(nullptr, shown.back().owner);
    EXPECT_EQ("exchange_tests", shown.back().caption);
  }
  EXPECT_EQ(std::size(styles), boxes.Count());
}

TEST(MessageBoxTest, StringTableMessagesAreShownAsTheyStand) {
  EXPECT_EQ("Please enter an integer between %1 and %2.",
            LoadResourceString(IDS_PARSE_INT_RANGE_TEXT));
  EXPECT_EQ("", LoadResourceString(12345));
  BoxAnswerer boxes;
  AfxMessageBox(IDS_PARSE_REAL_TEXT);
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("Please enter a number.", boxes.Boxes()[0].text);
  EXPECT_TRUE(boxes.Boxes()[0].exclamationIcon);
}

TEST_F(FrameworkTest, ABoxAboveAnotherWindowDisablesTheMainWindowToo) {
  HWND popup = nullptr;
  bool mainEnabledDuringBox = true;
  Run([&] {
    const HWND main = dlg.GetSafeHwnd();
    popup =
        CreateWindowExA(0, "STATIC", "Above the main window", WS_POPUP | WS_VISIBLE | WS_CAPTION,
                        50, 50, 200, 80, main, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, popup);
    SetActiveWindow(popup);
    ASSERT_EQ(popup, AfxGetForemostWindow());
    boxes.SetWhileOpen([&, main](HWND) { mainEnabledDuringBox = IsWindowEnabled(main) != FALSE; });
    AfxMessageBox("Above");
    boxes.SetWhileOpen(nullptr);
    EXPECT_TRUE(IsWindowEnabled(main));
    DestroyWindow(popup);
  });
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ(popup, boxes.Boxes()[0].owner);
  EXPECT_FALSE(mainEnabledDuringBox);
}

TEST_F(FrameworkTest, TheMainWindowOwnsTheBoxWhenNothingIsAboveIt) {
  bool mainEnabledAfter = false;
  HWND main = nullptr;
  Run([&] {
    main = dlg.GetSafeHwnd();
    AfxMessageBox("Plain");
    mainEnabledAfter = IsWindowEnabled(dlg.GetSafeHwnd()) != FALSE;
  });
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ(main, boxes.Boxes()[0].owner);
  EXPECT_TRUE(mainEnabledAfter);
}

TEST_F(FrameworkTest, TheWaitCursorIsShownOverTheDialogUntilItEnds) {
  const HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
  const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
  Run([&] {
    const HWND window = dlg.GetSafeHwnd();
    const auto askCursor = [&] {
      SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                   MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
      return GetCursor();
    };
    EXPECT_EQ(arrow, askCursor());
    App().BeginWaitCursor();
    EXPECT_TRUE(App().IsWaitCursorShown());
    EXPECT_EQ(wait, GetCursor());
    EXPECT_EQ(wait, askCursor());
    App().BeginWaitCursor();
    App().EndWaitCursor();
    EXPECT_EQ(wait, askCursor());
    App().EndWaitCursor();
    EXPECT_FALSE(App().IsWaitCursorShown());
    EXPECT_EQ(arrow, askCursor());
    App().EndWaitCursor();  // one end too many changes nothing
    EXPECT_FALSE(App().IsWaitCursorShown());
  });
}

TEST_F(FrameworkTest, CommandsTheDialogDoesNotHandleGoToTheApplication) {
  Run([&] {
    App().commands.clear();
    SendMessageA(dlg.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(57670, 0), 0);  // help
    SendMessageA(dlg.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(kMenuCommand, 0), 0);
    EXPECT_EQ(std::vector<UINT>{57670}, App().commands);
    EXPECT_EQ(1, dlg.menuCommands);
  });
}

// A dialog whose handlers fail: while it initialises, on every tick of a fast
// timer, on every paint, or on a command.
class FailingDialog : public ScriptedDialog {
 public:
  static constexpr UINT_PTR kFailingTimer = 7;
  static constexpr UINT kFailingCommand = 40002;
  // The timer ticks that failed; the dialog ends itself after this many.
  static constexpr int kTicksToEnd = 6;

  FailingDialog() : ScriptedDialog(IDD_NESTED_TEST) {}
  bool failOnInit = false;
  bool failOnPaint = false;
  bool endAfterTicks = true;
  std::atomic<int> failedTicks{0};
  int failedPaints = 0;

 private:
  bool m_scriptWaits = false;

 protected:
  BOOL OnInitDialog() override {
    if (!failOnInit) {
      return ScriptedDialog::OnInitDialog();
    }
    // The script starts once the dialog shows: the failure's box runs a message
    // loop of its own, which must not run the steps.
    m_scriptWaits = true;
    throw CNotSupportedException();
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message == WM_SHOWWINDOW && wParam && m_scriptWaits) {
      m_scriptWaits = false;
      ScriptedDialog::OnInitDialog();
      return false;
    }
    if (message == WM_TIMER && wParam == kFailingTimer) {
      if (++failedTicks >= kTicksToEnd) {
        KillTimer(m_hWnd, kFailingTimer);
        if (endAfterTicks) EndDialog(kStepsDone);
        return true;
      }
      throw CNotSupportedException();
    }
    if (message == WM_PAINT && failOnPaint) {
      ++failedPaints;
      throw CNotSupportedException();
    }
    return ScriptedDialog::OnMessage(message, wParam, lParam, result);
  }
  bool OnCommand(UINT id, UINT code) override {
    if (id == kFailingCommand) throw CMemoryException();
    return ScriptedDialog::OnCommand(id, code);
  }
};

TEST(DialogFailureTest, AFailingInitialisationStillLeavesTheFocusOnAControl) {
  BoxAnswerer boxes;
  FailingDialog dialog;
  dialog.failOnInit = true;
  bool focusOnControl = false;
  EXPECT_EQ(
      kStepsDone,
      dialog.Run({[&] { focusOnControl = IsChild(dialog.GetSafeHwnd(), GetFocus()) != FALSE; }}));
  EXPECT_TRUE(focusOnControl) << "no control has the focus";
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("An unsupported operation was attempted.", boxes.Boxes()[0].text);
}

TEST(DialogFailureTest, AHandlerThatFailsAgainWhileItsFailureIsShownGetsOneBox) {
  BoxAnswerer boxes;
  FailingDialog dialog;
  // The first box stays open until the timer has failed again inside its loop.
  boxes.SetWhileOpen([&](HWND) {
    // Elapsed ticks, not an end tick: the counter wraps after 49 days.
    const DWORD start = GetTickCount();
    const DWORD limit = test_support::Deadline(10000).Ms();
    while (dialog.failedTicks < 3 && GetTickCount() - start < limit) {
      Sleep(5);
    }
  });
  const INT_PTR result = dialog.Run(
      {[&] {
        ASSERT_NE(0u, SetTimer(dialog.GetSafeHwnd(), FailingDialog::kFailingTimer, 1, nullptr));
      }},
      true);
  EXPECT_EQ(kStepsDone, result);
  EXPECT_EQ(FailingDialog::kTicksToEnd, dialog.failedTicks);
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("An unsupported operation was attempted.", boxes.Boxes()[0].text);
}

TEST(DialogFailureTest, AFailureIsStillShownAfterAnotherHandlersRepeatedOne) {
  BoxAnswerer boxes;
  FailingDialog dialog;
  dialog.endAfterTicks = false;
  const auto failingCommand = [&] {
    SendMessageA(dialog.GetSafeHwnd(), WM_COMMAND, FailingDialog::kFailingCommand, 0);
  };
  const INT_PTR result = dialog.Run(
      {[&] {
         ASSERT_NE(0u, SetTimer(dialog.GetSafeHwnd(), FailingDialog::kFailingTimer, 1, nullptr));
         // The ticks run here, the failure's box among them.
         const DWORD start = GetTickCount();
         const DWORD limit = test_support::Deadline(10000).Ms();
         MSG message;
         while (dialog.failedTicks < FailingDialog::kTicksToEnd && GetTickCount() - start < limit &&
                GetMessageA(&message, nullptr, 0, 0) > 0) {
           if (!IsDialogMessageA(dialog.GetSafeHwnd(), &message)) DispatchMessageA(&message);
         }
       },
       failingCommand, failingCommand});
  EXPECT_EQ(kStepsDone, result);
  EXPECT_EQ(FailingDialog::kTicksToEnd, dialog.failedTicks);
  // The timer's failures: one box. Each command the user gives: a box of its own.
  std::vector<std::string> texts;
  for (const BoxRecord& box : boxes.Boxes()) texts.push_back(box.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"An unsupported operation was attempted.",
                                             "Out of memory.", "Out of memory."}));
}

TEST(DialogFailureTest, AFailingPaintIsNotAskedForAgainAtOnce) {
  BoxAnswerer boxes;
  FailingDialog dialog;
  BOOL stillInvalid = TRUE;
  EXPECT_EQ(kStepsDone, dialog.Run({[&] {
    dialog.failOnPaint = true;
    InvalidateRect(dialog.GetSafeHwnd(), nullptr, TRUE);
    UpdateWindow(dialog.GetSafeHwnd());
    stillInvalid = GetUpdateRect(dialog.GetSafeHwnd(), nullptr, FALSE);
    dialog.failOnPaint = false;
  }}));
  EXPECT_FALSE(stillInvalid) << "the failed paint left its region to paint";
  EXPECT_GE(dialog.failedPaints, 1);
  EXPECT_EQ(1u, boxes.Count());
}

TEST(StartUpTest, AfxWinMainRunsInitInstanceAndReturnsZero) {
  const int runsBefore = App().initInstanceRuns;
  EXPECT_EQ(0, AfxWinMain(GetModuleHandleA(nullptr)));
  EXPECT_EQ(runsBefore + 1, App().initInstanceRuns);
  EXPECT_EQ(GetModuleHandleA(nullptr), AfxGetResourceHandle());
  EXPECT_EQ(&App(), AfxGetApp());
}

// The settings store of the test program: HKCU\software\<company>\exchange_tests.
class ProfileTest : public testing::Test {
 protected:
  static constexpr const char* kCompany = "ZuruFrameworkTests";
  static constexpr const char* kSection = "profile";

  void SetUp() override {
    DeleteKeys();
    App().SetRegistryKey(kCompany);
  }
  void TearDown() override { DeleteKeys(); }

  static std::string SectionPath() {
    return std::string("software\\") + kCompany + "\\" + App().AppName() + "\\" + kSection;
  }
  static void DeleteKeys() {
    const std::string company = std::string("software\\") + kCompany;
    RegDeleteKeyA(HKEY_CURRENT_USER, SectionPath().c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, (company + "\\" + App().AppName()).c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, company.c_str());
  }
  static void Store(const char* entry, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath().c_str(), 0, nullptr,
                                             0, KEY_WRITE, nullptr, &key, nullptr));
    RegSetValueExA(key, entry, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
};

TEST_F(ProfileTest, AFirstReadGivesTheDefaultAndCreatesTheKeyPath) {
  EXPECT_EQ(420u, CProfileSection(App(), kSection).GetInt("enroutealt", 420));
  EXPECT_EQ(0xFFFFFFFFu, CProfileSection(App(), kSection).GetInt("missing", -1));
  HKEY key = nullptr;
  EXPECT_EQ(ERROR_SUCCESS,
            RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath().c_str(), 0, KEY_READ, &key));
  if (key) {
    DWORD values = 99;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                     nullptr, nullptr, nullptr);
    EXPECT_EQ(0u, values);
    RegCloseKey(key);
  }
}

TEST_F(ProfileTest, WrittenValuesAreDwordsAndReadBack) {
  EXPECT_TRUE(CProfileSection(App(), kSection).WriteInt("enroutealt", 455));
  EXPECT_TRUE(CProfileSection(App(), kSection).WriteInt("traffic", -1));
  EXPECT_EQ(455u, CProfileSection(App(), kSection).GetInt("enroutealt", 420));
  EXPECT_EQ(0xFFFFFFFFu, CProfileSection(App(), kSection).GetInt("traffic", 0));

  HKEY key = nullptr;
  ASSERT_EQ(ERROR_SUCCESS,
            RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath().c_str(), 0, KEY_READ, &key));
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof(value);
  EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(key, "enroutealt", nullptr, &type,
                                            reinterpret_cast<BYTE*>(&value), &size));
  RegCloseKey(key);
  EXPECT_EQ(DWORD(REG_DWORD), type);
  EXPECT_EQ(4u, size);
  EXPECT_EQ(455u, value);
}

TEST_F(ProfileTest, ValuesOfOtherTypesAreTakenByTheirBytesWhenTheyFit) {
  const BYTE eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  const BYTE two[2] = {0x34, 0x12};
  Store("long", REG_BINARY, eight, sizeof(eight));
  Store("short", REG_BINARY, two, sizeof(two));
  Store("text", REG_SZ, "12", 3);
  Store("longtext", REG_SZ, "1234", 5);
  EXPECT_EQ(7u, CProfileSection(App(), kSection).GetInt("long", 7));
  EXPECT_EQ(0x1234u, CProfileSection(App(), kSection).GetInt("short", 7));
  EXPECT_EQ(0x3231u, CProfileSection(App(), kSection).GetInt("text", 7));
  EXPECT_EQ(7u, CProfileSection(App(), kSection).GetInt("longtext", 7));
}

}  // namespace
