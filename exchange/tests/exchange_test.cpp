// The dialog data exchange through real controls of a real dialog.
#include <windows.h>
#include <commctrl.h>

#include <cmath>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "exchange/tests/dialog_fixture.h"

#include "tests/support/deadline.h"

namespace {

constexpr const char* kInteger = "Please enter an integer.";
constexpr const char* kNumber = "Please enter a number.";
constexpr const char* kPositive = "Please enter a positive integer.";
constexpr const char* kRange = "Please enter an integer between 420 and 600.";

using ExchangeTest = DialogTest;

// The members of the test dialog that a text field is bound to.
double FieldMember(const ExchangeTestDlg& dlg, int control) {
  switch (control) {
    case IDC_T_NUMBER:
      return dlg.m_number;
    case IDC_T_FREQUENCY:
      return dlg.m_frequency;
    case IDC_T_LEVEL:
      return dlg.m_level;
    case IDC_T_COUNT:
      return dlg.m_count;
    default:
      ADD_FAILURE() << "no field " << control;
      return 0;
  }
}

// The bound members in exchange order.
std::vector<double> Members(const ExchangeTestDlg& dlg) {
  return {double(dlg.m_before), double(dlg.m_number), double(dlg.m_between),
          dlg.m_frequency,      double(dlg.m_level),  double(dlg.m_threeState),
          double(dlg.m_count),  double(dlg.m_choice)};
}

TEST_F(ExchangeTest, ToControlsShowsEveryMemberInItsControl) {
  dlg.m_before = 1;
  dlg.m_number = -7;
  dlg.m_frequency = 110.0f;
  dlg.m_level = 700;  // outside the range: shown all the same, without a message
  dlg.m_threeState = BST_INDETERMINATE;
  dlg.m_count = 4294967295u;
  dlg.m_choice = 1;
  EXPECT_EQ(kStepsDone, Run([&] {
              EXPECT_EQ(BST_CHECKED, Check(IDC_T_BEFORE));
              EXPECT_EQ("-7", Text(IDC_T_NUMBER));
              EXPECT_EQ(BST_UNCHECKED, Check(IDC_T_BETWEEN));
              EXPECT_EQ("110", Text(IDC_T_FREQUENCY));
              EXPECT_EQ("700", Text(IDC_T_LEVEL));
              EXPECT_EQ(BST_INDETERMINATE, Check(IDC_T_THREE_STATE));
              EXPECT_EQ("4294967295", Text(IDC_T_COUNT));
              EXPECT_EQ(BST_UNCHECKED, Check(IDC_T_FIRST_RADIO));
              EXPECT_EQ(BST_CHECKED, Check(IDC_T_SECOND_RADIO));
              EXPECT_EQ(BST_UNCHECKED, Check(IDC_T_THIRD_RADIO));

              dlg.m_frequency = 110.3f;
              EXPECT_TRUE(dlg.UpdateData(FALSE));
              EXPECT_EQ("110.3", Text(IDC_T_FREQUENCY));
            }));
  EXPECT_EQ(0u, boxes.Count());
}

struct FieldCase {
  int control;
  std::string text;
  const char* message;  // null when the text is accepted
  double member;        // the member after the exchange
};

// Members before each case: 11, 2.5, 500 and 9.
const FieldCase kFieldCases[] = {
    {IDC_T_NUMBER, " 42 ", nullptr, 42},
    {IDC_T_NUMBER, "042", nullptr, 42},
    {IDC_T_NUMBER, "-7", nullptr, -7},
    {IDC_T_NUMBER, "+7", nullptr, 7},
    {IDC_T_NUMBER, "3000000000", nullptr, 2147483647.0},
    {IDC_T_NUMBER, "-3000000000", nullptr, -2147483648.0},
    {IDC_T_NUMBER, "", kInteger, 11},
    {IDC_T_NUMBER, "   ", kInteger, 11},
    {IDC_T_NUMBER, "4 2", kInteger, 11},
    {IDC_T_NUMBER, "-0", kInteger, 11},
    {IDC_T_FREQUENCY, "110.30", nullptr, double(110.3f)},
    {IDC_T_FREQUENCY, ".5", nullptr, 0.5},
    {IDC_T_FREQUENCY, "1d2", nullptr, 100},
    {IDC_T_FREQUENCY, "0.0", nullptr, 0},
    {IDC_T_FREQUENCY, "110,30", kNumber, 2.5},
    {IDC_T_FREQUENCY, ".0", kNumber, 2.5},
    {IDC_T_FREQUENCY, "inf", kNumber, 2.5},
    {IDC_T_COUNT, "0", nullptr, 0},
    {IDC_T_COUNT, "+5", nullptr, 5},
    {IDC_T_COUNT, "4294967296", nullptr, 4294967295.0},
    {IDC_T_COUNT, "-1", kPositive, 9},
    // Only the first 31 characters are read.
    {IDC_T_COUNT, std::string(31, ' ') + "5", kPositive, 9},
    {IDC_T_COUNT, "5" + std::string(40, ' '), nullptr, 5},
    {IDC_T_LEVEL, "420", nullptr, 420},
    {IDC_T_LEVEL, "600", nullptr, 600},
    // The range check comes after the member has taken the value.
    {IDC_T_LEVEL, "419", kRange, 419},
    {IDC_T_LEVEL, "601", kRange, 601},
    // A text that is not a number fails before the range check.
    {IDC_T_LEVEL, "-5", kPositive, 500},
    {IDC_T_LEVEL, "abc", kPositive, 500},
};

TEST_F(ExchangeTest, FieldTextsAreReadOrRejectedWithTheirMessage) {
  Run([&] {
    for (const FieldCase& field : kFieldCases) {
      SCOPED_TRACE("control " + std::to_string(field.control) + " text '" + field.text + "'");
      dlg.m_number = 11;
      dlg.m_frequency = 2.5f;
      dlg.m_level = 500;
      dlg.m_count = 9;
      ASSERT_TRUE(dlg.UpdateData(FALSE));
      SetText(field.control, field.text);
      const std::size_t boxesBefore = boxes.Count();

      EXPECT_EQ(field.message == nullptr, dlg.UpdateData(TRUE) != FALSE);

      EXPECT_DOUBLE_EQ(field.member, FieldMember(dlg, field.control));
      const std::vector<BoxRecord> shown = boxes.Boxes();
      if (!field.message) {
        EXPECT_EQ(boxesBefore, shown.size());
        continue;
      }
      ASSERT_EQ(boxesBefore + 1, shown.size());
      const BoxRecord& box = shown.back();
      EXPECT_EQ(field.message, box.text);
      EXPECT_EQ(App().AppName(), box.caption);
      EXPECT_EQ(dlg.GetSafeHwnd(), box.owner);
      EXPECT_TRUE(box.exclamationIcon);
      EXPECT_EQ(1, box.buttons);
      // The rejected text stays, selected, in the focused field.
      EXPECT_EQ(field.text, Text(field.control));
      EXPECT_EQ(dlg.Item(field.control), GetFocus());
      EXPECT_EQ(std::make_pair(DWORD(0), DWORD(field.text.size())), Selection(field.control));
    }
  });
}

TEST_F(ExchangeTest, TheRangeMessageNamesBothLimitsUnderTheProgramName) {
  Run([&] {
    SetText(IDC_T_LEVEL, "419");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
  });
  ASSERT_EQ(1u, boxes.Count());
  const BoxRecord box = boxes.Boxes()[0];
  EXPECT_EQ(kRange, box.text);
  // The application name is the program file's name without directory and extension.
  EXPECT_EQ("exchange_tests", box.caption);
  EXPECT_TRUE(box.exclamationIcon);
  EXPECT_EQ(1, box.buttons);
  EXPECT_EQ(419u, dlg.m_level);
}

struct FailureCase {
  const char* name;
  int control;
  const char* text;
  std::size_t failingIndex;  // in exchange order, see Members()
  const char* message;
  double failingMember;  // NaN: the member keeps its value
};

const double kKept = std::numeric_limits<double>::quiet_NaN();

const FailureCase kFailureCases[] = {
    {"signed text", IDC_T_NUMBER, "abc", 1, kInteger, kKept},
    {"decimal text", IDC_T_FREQUENCY, "1,5", 3, kNumber, kKept},
    {"unsigned text before the range check", IDC_T_LEVEL, "-5", 4, kPositive, kKept},
    {"range check", IDC_T_LEVEL, "419", 4, kRange, 419},
    {"last field", IDC_T_COUNT, "", 6, kPositive, kKept},
};

TEST_F(ExchangeTest, AFailedRunReadsTheControlsBeforeTheFailureAndNoneAfterIt) {
  const std::vector<double> old = {0, 11, 0, 2.5, 500, 0, 9, -1};
  const std::vector<double> fresh = {1, 12, 1, 3.5, 510, 1, 10, 2};
  Run([&] {
    for (const FailureCase& failure : kFailureCases) {
      SCOPED_TRACE(failure.name);
      dlg.m_before = 0;
      dlg.m_number = 11;
      dlg.m_between = 0;
      dlg.m_frequency = 2.5f;
      dlg.m_level = 500;
      dlg.m_threeState = 0;
      dlg.m_count = 9;
      dlg.m_choice = -1;
      ASSERT_TRUE(dlg.UpdateData(FALSE));
      ASSERT_EQ(old, Members(dlg));
      SetCheck(IDC_T_BEFORE, BST_CHECKED);
      SetText(IDC_T_NUMBER, "12");
      SetCheck(IDC_T_BETWEEN, BST_CHECKED);
      SetText(IDC_T_FREQUENCY, "3.5");
      SetText(IDC_T_LEVEL, "510");
      SetCheck(IDC_T_THREE_STATE, BST_CHECKED);
      SetText(IDC_T_COUNT, "10");
      SetCheck(IDC_T_THIRD_RADIO, BST_CHECKED);
      SetText(failure.control, failure.text);
      const std::size_t boxesBefore = boxes.Count();

      EXPECT_FALSE(dlg.UpdateData(TRUE));

      ASSERT_EQ(boxesBefore + 1, boxes.Count());
      EXPECT_EQ(failure.message, boxes.Boxes().back().text);
      const std::vector<double> members = Members(dlg);
      for (std::size_t i = 0; i < members.size(); ++i) {
        SCOPED_TRACE("member " + std::to_string(i));
        if (i < failure.failingIndex) {
          EXPECT_EQ(fresh[i], members[i]);
        } else if (i == failure.failingIndex && !std::isnan(failure.failingMember)) {
          EXPECT_EQ(failure.failingMember, members[i]);
        } else {
          EXPECT_EQ(old[i], members[i]);
        }
      }
      // Reading changes no control: neither the failing one nor those after it.
      EXPECT_EQ(failure.text, Text(failure.control));
      EXPECT_EQ(BST_CHECKED, Check(IDC_T_THREE_STATE));
      EXPECT_EQ(BST_CHECKED, Check(IDC_T_THIRD_RADIO));
      EXPECT_EQ(dlg.Item(failure.control), GetFocus());
      EXPECT_EQ(std::make_pair(DWORD(0), DWORD(std::string(failure.text).size())),
                Selection(failure.control));

      // The next to-controls run shows the members as they stand.
      EXPECT_TRUE(dlg.UpdateData(FALSE));
      EXPECT_EQ(FieldMember(dlg, failure.control), std::stod(Text(failure.control)));
    }
  });
}

TEST_F(ExchangeTest, NoHandlerRunsForWhatTheExchangeDoesToTheControls) {
  Run([&] {
    SetFocus(dlg.Item(IDC_T_COUNT));
    // Outside an exchange the handlers do hear about texts and focus changes.
    const int changesBefore = dlg.editChanges;
    SetText(IDC_T_NUMBER, "5");
    ASSERT_EQ(changesBefore + 1, dlg.editChanges);

    const int commandsBefore = dlg.controlCommands;
    dlg.m_number = 6;
    dlg.m_before = 1;
    dlg.m_choice = 0;
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ("6", Text(IDC_T_NUMBER));
    EXPECT_EQ(commandsBefore, dlg.controlCommands);

    // A failure moves the focus, which notifies nobody either.
    SetText(IDC_T_NUMBER, "x");
    const int commandsBeforeFailure = dlg.controlCommands;
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.Item(IDC_T_NUMBER), GetFocus());
    EXPECT_EQ(commandsBeforeFailure, dlg.controlCommands);

    SetFocus(dlg.Item(IDC_T_COUNT));
    EXPECT_LT(commandsBeforeFailure, dlg.controlCommands);
  });
  EXPECT_EQ(1u, boxes.Count());
}

TEST_F(ExchangeTest, WhileTheExchangeBoxIsOpenOnlyMessagesWithoutAControlArrive) {
  static NMHDR notification;
  const auto deliver = [&](HWND dialog, bool alsoWithoutControl) {
    // As a control notifies: sent. Menu commands and timer ticks: posted.
    notification = {dlg.Item(IDC_T_SLIDER), IDC_T_SLIDER, static_cast<UINT>(NM_RELEASEDCAPTURE)};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(IDC_T_BEFORE, BN_CLICKED),
                        reinterpret_cast<LPARAM>(dlg.Item(IDC_T_BEFORE)), SMTO_NORMAL,
                        test_support::Deadline(5000).Ms(), &ignored);
    SendMessageTimeoutA(dialog, WM_NOTIFY, IDC_T_SLIDER, reinterpret_cast<LPARAM>(&notification),
                        SMTO_NORMAL, test_support::Deadline(5000).Ms(), &ignored);
    if (alsoWithoutControl) {
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kMenuCommand, 0), 0);
      PostMessageA(dialog, WM_TIMER, 7, 0);
    }
  };
  Run([&] {
    const HWND dialog = dlg.GetSafeHwnd();
    boxes.SetWhileOpen([&](HWND) { deliver(dialog, true); });
    SetText(IDC_T_COUNT, "none");
    const int commandsBefore = dlg.controlCommands;

    EXPECT_FALSE(dlg.UpdateData(TRUE));

    EXPECT_EQ(1, dlg.menuCommands);
    EXPECT_EQ(1, dlg.timerTicks);
    EXPECT_EQ(commandsBefore, dlg.controlCommands);
    EXPECT_EQ(0, dlg.notifications);
    boxes.SetWhileOpen(nullptr);

    // The same notifications outside an exchange reach their handlers.
    deliver(dialog, false);
    EXPECT_EQ(commandsBefore + 1, dlg.controlCommands);
    EXPECT_EQ(1, dlg.notifications);
  });
  EXPECT_EQ(1u, boxes.Count());
}

TEST_F(ExchangeTest, AnUnchangedFieldKeepsItsSelection) {
  dlg.m_number = 42;
  Run([&] {
    SendMessageA(dlg.Item(IDC_T_NUMBER), EM_SETSEL, 1, 2);
    dlg.m_frequency = 7.0f;
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ("42", Text(IDC_T_NUMBER));
    EXPECT_EQ(std::make_pair(DWORD(1), DWORD(2)), Selection(IDC_T_NUMBER));
    EXPECT_EQ("7", Text(IDC_T_FREQUENCY));
  });
}

struct TextChange {
  std::string shown;
  std::string wanted;
  bool rewritten;
};

TEST_F(ExchangeTest, SetTextIfChangedWritesOnlyADifferentText) {
  const std::string x255(255, 'x');
  const std::string x256(256, 'x');
  const TextChange changes[] = {
      {"42", "42", false},
      {"42", "43", true},
      {"42", "420", true},
      {"", "", false},
      {x255, x255, false},
      // Only 255 characters are compared: a longer text is always written.
      {x256, x256, true},
      {x256 + "yy", x256 + "yy", true},
  };
  Run([&] {
    const HWND field = dlg.Item(IDC_T_NUMBER);
    for (const TextChange& change : changes) {
      SCOPED_TRACE("'" + change.shown + "' -> '" + change.wanted + "'");
      SetText(IDC_T_NUMBER, change.shown);
      // Outside an exchange every write is heard as a change.
      const int changesBefore = dlg.editChanges;
      SetTextIfChanged(field, change.wanted.c_str());
      EXPECT_EQ(change.rewritten, dlg.editChanges != changesBefore);
      EXPECT_EQ(change.wanted, Text(IDC_T_NUMBER));
    }
  });
}

struct CheckCase {
  int control;
  int member;
  int shown;           // the box's state after the to-controls run
  int memberShown;     // the member after the to-controls run
  int memberReadBack;  // the member after reading the box back
};

TEST_F(ExchangeTest, CheckBoxesShowZeroForValuesOutsideTheirStates) {
  const CheckCase cases[] = {
      {IDC_T_BEFORE, 0, BST_UNCHECKED, 0, 0},
      {IDC_T_BEFORE, 1, BST_CHECKED, 1, 1},
      {IDC_T_BEFORE, 5, BST_UNCHECKED, 0, 0},
      {IDC_T_BEFORE, -1, BST_UNCHECKED, 0, 0},
      // A two-state box has no third state: it shows 2 as checked and reports 1.
      {IDC_T_BEFORE, 2, BST_CHECKED, 2, 1},
      {IDC_T_THREE_STATE, 2, BST_INDETERMINATE, 2, 2},
      {IDC_T_THREE_STATE, 3, BST_UNCHECKED, 0, 0},
  };
  Run([&] {
    for (const CheckCase& check : cases) {
      SCOPED_TRACE("control " + std::to_string(check.control) + " member " +
                   std::to_string(check.member));
      int& member = check.control == IDC_T_BEFORE ? dlg.m_before : dlg.m_threeState;
      SetCheck(check.control, check.shown == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
      member = check.member;
      EXPECT_TRUE(dlg.UpdateData(FALSE));
      EXPECT_EQ(check.shown, Check(check.control));
      EXPECT_EQ(check.memberShown, member);
      EXPECT_TRUE(dlg.UpdateData(TRUE));
      EXPECT_EQ(check.memberReadBack, member);
    }
  });
}

TEST_F(ExchangeTest, RadioGroupShowsTheMemberIndexAmongItsOwnButtons) {
  struct Shown {
    int member;
    int first, second, third;
  };
  const Shown shown[] = {
      {0, 1, 0, 0}, {1, 0, 1, 0}, {2, 0, 0, 1}, {-1, 0, 0, 0}, {3, 0, 0, 0},
  };
  Run([&] {
    for (const Shown& radio : shown) {
      SCOPED_TRACE("member " + std::to_string(radio.member));
      for (int id : {IDC_T_FIRST_RADIO, IDC_T_SECOND_RADIO, IDC_T_THIRD_RADIO}) {
        SetCheck(id, BST_CHECKED);
      }
      // The button behind the next group start is not part of the group.
      SetCheck(IDC_T_OUTSIDE_RADIO, BST_CHECKED);
      dlg.m_choice = radio.member;
      EXPECT_TRUE(dlg.UpdateData(FALSE));
      EXPECT_EQ(radio.first, Check(IDC_T_FIRST_RADIO));
      EXPECT_EQ(radio.second, Check(IDC_T_SECOND_RADIO));
      EXPECT_EQ(radio.third, Check(IDC_T_THIRD_RADIO));
      EXPECT_EQ(BST_CHECKED, Check(IDC_T_OUTSIDE_RADIO));
      EXPECT_EQ(radio.member, dlg.m_choice);
    }
  });
}

TEST_F(ExchangeTest, RadioGroupReadsTheLastCheckedButtonOrMinusOne) {
  struct Read {
    int first, second, third, outside;
    int member;
  };
  const Read reads[] = {
      {0, 0, 0, 0, -1}, {1, 0, 0, 0, 0}, {0, 0, 1, 0, 2},
      {1, 1, 1, 0, 2},  {1, 1, 0, 1, 1}, {0, 0, 0, 1, -1},
  };
  Run([&] {
    for (const Read& read : reads) {
      SCOPED_TRACE("expecting " + std::to_string(read.member));
      SetCheck(IDC_T_FIRST_RADIO, read.first);
      SetCheck(IDC_T_SECOND_RADIO, read.second);
      SetCheck(IDC_T_THIRD_RADIO, read.third);
      SetCheck(IDC_T_OUTSIDE_RADIO, read.outside);
      dlg.m_choice = 7;
      EXPECT_TRUE(dlg.UpdateData(TRUE));
      EXPECT_EQ(read.member, dlg.m_choice);
    }
  });
}

TEST_F(ExchangeTest, DisabledControlsTakePartLikeEnabledOnes) {
  Run([&] {
    for (int id : {IDC_T_BEFORE, IDC_T_NUMBER, IDC_T_LEVEL, IDC_T_SECOND_RADIO}) {
      EnableWindow(dlg.Item(id), FALSE);
    }
    SetCheck(IDC_T_BEFORE, BST_CHECKED);
    SetText(IDC_T_NUMBER, "33");
    SetText(IDC_T_LEVEL, "590");
    SetCheck(IDC_T_SECOND_RADIO, BST_CHECKED);
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(1, dlg.m_before);
    EXPECT_EQ(33, dlg.m_number);
    EXPECT_EQ(590u, dlg.m_level);
    EXPECT_EQ(1, dlg.m_choice);

    dlg.m_number = 44;
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ("44", Text(IDC_T_NUMBER));

    SetText(IDC_T_LEVEL, "700");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(700u, dlg.m_level);
    // The focus is asked for, but the system gives none to a disabled window;
    // the text is selected all the same.
    EXPECT_NE(dlg.Item(IDC_T_LEVEL), GetFocus());
    EXPECT_EQ(std::make_pair(DWORD(0), DWORD(3)), Selection(IDC_T_LEVEL));
  });
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ(kRange, boxes.Boxes()[0].text);
}

TEST_F(ExchangeTest, BaseOkKeepsTheDialogOpenUntilTheExchangeSucceeds) {
  const auto clickOk = [&] {
    SendMessageA(dlg.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(dlg.Item(IDOK)));
  };
  const INT_PTR result =
      dlg.Run({[&] {
                 SetText(IDC_T_NUMBER, "12a");
                 clickOk();
               },
               [&] {
                 // Still open: the failing field has the focus and its text selected.
                 EXPECT_EQ(dlg.Item(IDC_T_NUMBER), GetFocus());
                 EXPECT_EQ(std::make_pair(DWORD(0), DWORD(3)), Selection(IDC_T_NUMBER));
                 SetText(IDC_T_NUMBER, "12");
                 clickOk();
               }},
              /*endsItself=*/true);
  EXPECT_EQ(IDOK, result);
  EXPECT_EQ(2, dlg.stepsRun);
  EXPECT_EQ(12, dlg.m_number);
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ(kInteger, boxes.Boxes()[0].text);
}

TEST_F(ExchangeTest, BaseCancelEndsTheDialogWithoutReadingAnything) {
  dlg.m_number = 5;
  const INT_PTR result =
      dlg.Run({[&] {
                SetText(IDC_T_NUMBER, "not a number");
                SetCheck(IDC_T_BEFORE, BST_CHECKED);
                SendMessageA(dlg.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                             reinterpret_cast<LPARAM>(dlg.Item(IDCANCEL)));
              }},
              /*endsItself=*/true);
  EXPECT_EQ(IDCANCEL, result);
  EXPECT_EQ(5, dlg.m_number);
  EXPECT_EQ(0, dlg.m_before);
  EXPECT_EQ(0u, boxes.Count());
}

struct OtherFailure {
  const char* name;
  void (*fail)(ExchangeContext& dx);
  const char* message;
};

int g_unused = 0;

const OtherFailure kOtherFailures[] = {
    {"a control the dialog lacks", [](ExchangeContext& dx) { ExchangeCheck(dx, 999, g_unused); },
     "An unsupported operation was attempted."},
    {"exhausted memory", [](ExchangeContext&) { throw std::bad_alloc(); }, "Out of memory."},
    {"a failure without a text", [](ExchangeContext&) { throw 42; }, "Internal application error."},
};

TEST_F(ExchangeTest, OtherFailuresShowTheirOwnMessage) {
  Run([&] {
    for (const OtherFailure& failure : kOtherFailures) {
      SCOPED_TRACE(failure.name);
      dlg.moreBindings = failure.fail;
      const std::size_t boxesBefore = boxes.Count();
      EXPECT_FALSE(dlg.UpdateData(TRUE));
      EXPECT_EQ(nullptr, CDialog::ExchangeWindow());
      const std::vector<BoxRecord> shown = boxes.Boxes();
      ASSERT_EQ(boxesBefore + 1, shown.size());
      EXPECT_EQ(failure.message, shown.back().text);
      EXPECT_EQ(App().AppName(), shown.back().caption);
      EXPECT_TRUE(shown.back().exclamationIcon);
    }
  });
}

TEST_F(ExchangeTest, AFailingFirstExchangeEndsTheDialogWithMinusOne) {
  dlg.moreBindings = [](ExchangeContext& dx) { ExchangeCheck(dx, 999, g_unused); };
  EXPECT_EQ(-1, Run([] {}));
  EXPECT_EQ(0, dlg.stepsRun);
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("An unsupported operation was attempted.", boxes.Boxes()[0].text);
}

TEST_F(ExchangeTest, ControlWrappersAreBoundOnceByTheFirstExchange) {
  Run([&] {
    // Bound by the base initialisation.
    EXPECT_EQ(dlg.Item(IDC_T_SLIDER), dlg.m_slider.GetSafeHwnd());
    EXPECT_EQ(dlg.Item(IDC_T_LIST), dlg.m_list.GetSafeHwnd());

    dlg.m_slider.SetPos(37);
    EXPECT_EQ(37, dlg.m_slider.GetPos());
    dlg.m_slider.SetPos(150);  // beyond the default range 0..100
    EXPECT_EQ(100, dlg.m_slider.GetPos());
    EXPECT_EQ(0, dlg.m_list.AddString("09L (110.30/only TO)"));
    EXPECT_EQ(0, dlg.m_list.AddString("07R"));  // sorted list
    EXPECT_EQ(2, dlg.m_list.GetCount());
    EXPECT_EQ("07R", dlg.m_list.GetText(0));
    EXPECT_EQ("09L (110.30/only TO)", dlg.m_list.GetText(1));
    EXPECT_EQ("", dlg.m_list.GetText(5));
    EXPECT_EQ(LB_ERR, dlg.m_list.GetCurSel());
    EXPECT_EQ(1, dlg.m_list.DeleteString(0));
    EXPECT_EQ(1, dlg.m_list.GetCount());

    // A wrapper that refers to a window is left as it is, in both directions.
    dlg.m_list.Detach();
    ASSERT_TRUE(dlg.m_list.Attach(dlg.Item(IDC_T_COUNT)));
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(dlg.Item(IDC_T_COUNT), dlg.m_list.GetSafeHwnd());
    EXPECT_EQ(dlg.Item(IDC_T_SLIDER), dlg.m_slider.GetSafeHwnd());
    EXPECT_EQ(100, dlg.m_slider.GetPos());
  });
  // The window is gone: the wrappers let go of it, and the next run binds them anew.
  EXPECT_EQ(nullptr, dlg.m_slider.GetSafeHwnd());
  EXPECT_EQ(nullptr, dlg.m_list.GetSafeHwnd());
  Run([&] {
    EXPECT_EQ(dlg.Item(IDC_T_SLIDER), dlg.m_slider.GetSafeHwnd());
    EXPECT_EQ(dlg.Item(IDC_T_LIST), dlg.m_list.GetSafeHwnd());
    EXPECT_EQ(0, dlg.m_list.GetCount());
  });
}

TEST_F(ExchangeTest, TheMarkNamesTheRunningExchangeAndNestsWithAnotherDialog) {
  NestedDlg nested;
  HWND outerDuringNested = nullptr;
  HWND markInNested = nullptr;
  HWND markAfterNested = nullptr;
  HWND nestedOwner = nullptr;
  HWND nestedWindow = nullptr;
  bool mainEnabledDuringBox = true;
  INT_PTR nestedResult = 0;

  nested.duringExchange = [&] { markInNested = CDialog::ExchangeWindow(); };
  dlg.moreBindings = [&](ExchangeContext& dx) {
    if (!dx.save) {
      return;
    }
    outerDuringNested = CDialog::ExchangeWindow();
    // Another dialog opened from inside this exchange runs its own.
    nestedResult = nested.Run({[&] {
      nestedWindow = nested.GetSafeHwnd();
      nestedOwner = GetWindow(nestedWindow, GW_OWNER);
      const HWND main = dlg.GetSafeHwnd();
      boxes.SetWhileOpen(
          [&, main](HWND) { mainEnabledDuringBox = IsWindowEnabled(main) != FALSE; });
      SetWindowTextA(nested.Item(IDC_N_NUMBER), "z");
      EXPECT_FALSE(nested.UpdateData(TRUE));
      boxes.SetWhileOpen(nullptr);
      markAfterNested = CDialog::ExchangeWindow();
    }});
  };
  Run([&] {
    EXPECT_EQ(nullptr, CDialog::ExchangeWindow());
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(nullptr, CDialog::ExchangeWindow());
  });

  EXPECT_EQ(kStepsDone, nestedResult);
  EXPECT_NE(nullptr, nestedWindow);
  EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);  // ended by now
  EXPECT_EQ(nestedWindow, markInNested);
  EXPECT_NE(nullptr, outerDuringNested);
  EXPECT_EQ(outerDuringNested, markAfterNested);
  // A dialog without a parent is owned by the foremost window, and the box of
  // its exchange by that dialog; the main window stays disabled meanwhile.
  EXPECT_EQ(outerDuringNested, nestedOwner);
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ(nestedWindow, boxes.Boxes()[0].owner);
  EXPECT_EQ(kInteger, boxes.Boxes()[0].text);
  EXPECT_FALSE(mainEnabledDuringBox);
}

}  // namespace
