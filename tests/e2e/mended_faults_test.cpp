// The safe ends the program gives to situations that would otherwise go wrong: a
// bad field when "Create &adventure" is pressed, and Cancel while the started
// program still runs.
#include <functional>

#include "zuru_e2e.h"

namespace e2e {
namespace {

class MendedFaultsTest : public ZuruTest {
 protected:
  // After a message box that stopped "Create &adventure" (with "&Use Quirtel"
  // on): the dialog is open to editing again, nothing started, the adventure kept.
  static void ExpectBackToEditing(ZuruSession& session, const Dialog& dialog) {
    ASSERT_TRUE(WaitUntil([&] { return dialog.Enabled(IDC_CREATE_ADVENTURE); }))
        << "the dialog stayed locked";
    dialog.WaitUntilIdle();
    EnablingFlags flags;
    flags.active = true;
    EXPECT_TRUE(FollowsEnablingRules(dialog, flags));
    EXPECT_TRUE(session.AdventureExists());
    EXPECT_TRUE(session.StubRuns().empty()) << "nothing may be started";
  }
};

struct BadFieldCase {
  std::string name;
  std::map<std::string, DWORD> stored;
  EnablingFlags flags;
  int edit;
  std::string badText;
  std::string message;
  std::string goodText;
  std::string switches;  // what patch.exe then gets
};

TEST_F(MendedFaultsTest, BadFieldOnCreateStopsTheLaunchAndUnlocksTheDialog) {
  const std::vector<BadFieldCase> cases = {
      {"seconds not a number",
       {{"active", 1}, {"newatc", 1}},
       EnablingFlags{true, false, true, false, false},
       IDC_MAXTIME,
       "abc",
       "Please enter a positive integer.",
       "15",
       " -CREW -FLAPS -SETFLPS -NOATIS -NOATISTXT -NEWATC -WAV -LIGHT -NOSPD -NOXXX"
       " -ALT000 -ATCSEC15 -TRAFFIC000 -NR1 -NR2 -CG1A -ALT -VELMORAWAV"},
      {"level out of range",
       {{"active", 1}, {"resetalt", 1}},
       EnablingFlags{true, false, false, false, true},
       IDC_ENROUTEALT,
       "700",
       "Please enter an integer between 420 and 600.",
       "600",
       " -CREW -FLAPS -SETFLPS -NOATIS -NOATISTXT -NOATC -WAV -LIGHT -NOSPD -NOXXX"
       " -ALT600 -ATCSEC0 -TRAFFIC000 -NR1 -NR2 -CG1A -ALT -VELMORAWAV"},
  };
  for (const BadFieldCase& c : cases) {
    SCOPED_TRACE(c.name);
    ZuruSession session;
    Dialog dialog = StartOverStore(session, c.stored);
    dialog.Type(c.edit, c.badText);
    CreateAdventure(dialog);

    std::optional<MessageBoxSeen> box = WaitForMessageBox(session.Program().Id(), dialog.Handle());
    ASSERT_TRUE(box.has_value()) << "no message box";
    EXPECT_EQ(box->caption, "ZURU");
    EXPECT_EQ(box->text, c.message);
    AnswerOk(*box);

    ASSERT_TRUE(WaitUntil([&] { return dialog.Enabled(IDC_CREATE_ADVENTURE); }))
        << "the dialog stayed locked";
    dialog.WaitUntilIdle();
    EXPECT_TRUE(FollowsEnablingRules(dialog, c.flags));
    EXPECT_SETTLES_EQ(dialog.FocusIdWhenActive(), c.edit) << "the focus";
    EXPECT_SETTLES_EQ(dialog.Selection(c.edit),
                      std::make_pair(0, static_cast<int>(c.badText.size())))
        << "the selection";
    EXPECT_TRUE(StoreHolds(c.stored)) << "nothing may be stored";
    EXPECT_TRUE(session.StubRuns().empty()) << "nothing may be started";
    EXPECT_FALSE(session.Program().HasExited());

    dialog.Type(c.edit, c.goodText);
    CreateAdventure(dialog);
    ASSERT_NO_FATAL_FAILURE(ExpectEndAfterStub(session));
    std::vector<StubRun> runs = session.StubRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine, HandedOver("patch.exe", kStartLine + c.switches));
    EXPECT_TRUE(session.AdventureExists());
  }
}

TEST_F(MendedFaultsTest, ACommandLineTooLongForWindowsIsReportedAndTheAdventureKept) {
  // The program's own path, as the caller wrote it, makes the line long: the
  // adventure file is the one in the session's folder.
  std::string line = "\"C:\\" + std::string(32600, 'A') + "\\ZURU.EXE\" -E ";
  line += kAdventureName;
  ZuruSession session;
  Dialog dialog = StartOverStore(session, {{"active", 1}, {"heavy", 1}}, line);
  CreateAdventure(dialog);

  std::optional<MessageBoxSeen> box = WaitForMessageBox(session.Program().Id(), dialog.Handle());
  ASSERT_TRUE(box.has_value()) << "no message box";
  EXPECT_EQ(box->caption, "ZURU");
  EXPECT_EQ(box->text.rfind("patch.exe cannot be started: its command line would have ", 0), 0u)
      << box->text;
  EXPECT_NE(box->text.find("Switch \"Use Quirtel\" off"), std::string::npos) << box->text;
  AnswerOk(*box);

  ASSERT_NO_FATAL_FAILURE(ExpectBackToEditing(session, dialog));
  EXPECT_SETTLES_EQ(dialog.FocusIdWhenActive(), IDC_ACTIVE) << "the focus";
  EXPECT_FALSE(session.Program().HasExited());
  EXPECT_TRUE(StoreHolds(StoreAfterCreate({{"active", 1}, {"heavy", 1}})));

  // Without the patcher's switches the compiler's line fits.
  dialog.SetCheck(IDC_ACTIVE, false);
  CreateAdventure(dialog);
  ASSERT_NO_FATAL_FAILURE(ExpectEndAfterStub(session));
  std::vector<StubRun> runs = session.StubRuns();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].commandLine, HandedOver("zuru2.exe", line));
  EXPECT_TRUE(session.AdventureExists());
}

// A command line longer than the shell of Windows XP and Vista takes, on a test
// build whose shell refuses it as theirs does: reported, back to editing, and
// the adventure kept; a short line starts as usual.
TEST_F(MendedFaultsTest, ALineTheOldShellRefusesForItsLengthKeepsTheAdventure) {
  std::string line = "\"C:\\" + std::string(3000, 'A') + "\\ZURU.EXE\" -E ";
  line += kAdventureName;
  ZuruSession session;
  ASSERT_NO_FATAL_FAILURE(UseTestBuild(session, "old-shell"));
  Dialog dialog = StartOverStore(session, {{"active", 1}}, line);
  CreateAdventure(dialog);

  std::optional<MessageBoxSeen> box = WaitForMessageBox(session.Program().Id(), dialog.Handle());
  ASSERT_TRUE(box.has_value()) << "no message box";
  EXPECT_EQ(box->text.rfind("patch.exe cannot be started: its command line would have ", 0), 0u)
      << box->text;
  EXPECT_NE(box->text.find("more than the 2083 that Windows accepts."), std::string::npos)
      << box->text;
  AnswerOk(*box);

  ASSERT_NO_FATAL_FAILURE(ExpectBackToEditing(session, dialog));
  EXPECT_SETTLES_EQ(dialog.FocusIdWhenActive(), IDC_ACTIVE) << "the focus";
  ASSERT_NO_FATAL_FAILURE(CancelRun(session, dialog));

  ZuruSession shortLine;
  ASSERT_NO_FATAL_FAILURE(UseTestBuild(shortLine, "old-shell"));
  Dialog shortDialog = StartOverStore(shortLine, {{"active", 1}});
  CreateAdventure(shortDialog);
  ASSERT_NO_FATAL_FAILURE(ExpectEndAfterStub(shortLine));
  EXPECT_EQ(shortLine.StubRuns().size(), 1u);
  EXPECT_TRUE(shortLine.AdventureExists());
}

// A failure after "Create &adventure" has locked the dialog (here memory runs
// out before the shell is reached): reported, and the dialog is open to editing
// again, Cancel included.
TEST_F(MendedFaultsTest, AFailureAfterTheDialogIsLockedUnlocksIt) {
  ZuruSession session;
  ASSERT_NO_FATAL_FAILURE(UseTestBuild(session, "failing-shell"));
  Dialog dialog = StartOverStore(session, {{"active", 1}});
  CreateAdventure(dialog);

  std::optional<MessageBoxSeen> box = WaitForMessageBox(session.Program().Id(), dialog.Handle());
  ASSERT_TRUE(box.has_value()) << "no message box";
  EXPECT_EQ(box->text, "Out of memory.");
  AnswerOk(*box);

  ASSERT_NO_FATAL_FAILURE(ExpectBackToEditing(session, dialog));

  dialog.Click(IDCANCEL);
  ASSERT_TRUE(session.WaitForExit().has_value()) << "Cancel was refused";
  EXPECT_FALSE(session.AdventureExists()) << "Cancel deletes the adventure";
}

TEST_F(MendedFaultsTest, CancelIsRefusedWhileTheStartedProgramRuns) {
  WriteStore({{"active", 1}});
  ZuruSession session;
  session.Start(kStartLine);
  Dialog dialog = session.Options();
  ASSERT_NO_FATAL_FAILURE(CreateWhileStubHeld(session, dialog));
  EXPECT_TRUE(AllDisabled(dialog));

  const std::vector<std::pair<std::string, std::function<void()>>> cancels = {
      {"Escape", [&] { dialog.PressEscape(); }},
      {"WM_CLOSE", [&] { dialog.SendClose(); }},
      {"IDCANCEL", [&] { dialog.SendCommand(IDCANCEL); }},
  };
  for (const auto& [name, cancel] : cancels) {
    SCOPED_TRACE(name);
    cancel();
    dialog.WaitForPostedMessages(IDC_MAXTIME);
    ASSERT_TRUE(dialog.IsOpen()) << "the dialog ended";
    EXPECT_FALSE(session.Program().HasExited());
    EXPECT_TRUE(session.AdventureExists());
    EXPECT_TRUE(AllDisabled(dialog));
  }
  EXPECT_TRUE(VisibleDialogs(session.Program().Id()).size() == 1) << "an unexpected window";

  // The wait goes on for as long as the stand-in runs, through several polls.
  EXPECT_FALSE(
      WaitUntil([&] { return !dialog.IsOpen() || session.Program().HasExited(); }, Deadline(2500)))
      << "the run ended while the started program still ran";
  EXPECT_TRUE(session.AdventureExists());

  session.ReleaseStub();
  ASSERT_NO_FATAL_FAILURE(ExpectEndAfterStub(session));
  EXPECT_TRUE(session.AdventureExists());
  EXPECT_EQ(session.StubRuns().size(), 1u);
}

}  // namespace
}  // namespace e2e
