// The options dialog: what it shows from the settings store, its enabling
// rules, a failed read of its fields in a click handler, and the About box.
#include "zuru_e2e.h"

namespace e2e {
namespace {

class OptionsDialogTest : public ZuruTest {};

TEST_F(OptionsDialogTest, FirstRunShowsDefaultsAndFollowsTheEnablingRules) {
  ZuruSession session;
  session.Start(kStartLine);
  Dialog dialog = session.Options();

  for (int id : kCheckBoxes) EXPECT_FALSE(dialog.Checked(id)) << "check box " << id;
  EXPECT_EQ(dialog.Text(IDC_MAXTIME), "0");
  EXPECT_EQ(dialog.Text(IDC_ENROUTEALT), "420");
  EXPECT_EQ(dialog.TrackPos(IDC_TRAFFIC), 0);
  EXPECT_TRUE(FollowsEnablingRules(dialog, {}));
  EXPECT_SETTLES_EQ(dialog.FocusIdWhenActive(), IDC_ACTIVE) << "the focus";
  EXPECT_TRUE(StoreSectionExists()) << "reading should create the key path";

  EnablingFlags flags;
  flags.active = true;
  dialog.Click(IDC_ACTIVE);
  EXPECT_TRUE(FollowsEnablingRules(dialog, flags)) << "after checking &Use Quirtel";

  // Disabling 1002 keeps its check mark.
  dialog.SetCheck(IDC_DONTSETFLAPS, true);
  flags.noflaps = true;
  dialog.Click(IDC_NOFLAPS);
  EXPECT_TRUE(FollowsEnablingRules(dialog, flags)) << "after checking 1020";
  EXPECT_TRUE(dialog.Checked(IDC_DONTSETFLAPS));

  const std::vector<std::pair<int, bool EnablingFlags::*>> steps = {
      {IDC_NEWATIS, &EnablingFlags::newatis},   {IDC_NEWATC, &EnablingFlags::newatc},
      {IDC_RESETALT, &EnablingFlags::resetalt}, {IDC_NOFLAPS, &EnablingFlags::noflaps},
      {IDC_ACTIVE, &EnablingFlags::active},  // off: only 1008 and 1005 stay usable
      {IDC_ACTIVE, &EnablingFlags::active},  // on again, with the other flags as set
      {IDC_NEWATC, &EnablingFlags::newatc},
  };
  for (const auto& [id, flag] : steps) {
    flags.*flag = !(flags.*flag);
    dialog.Click(id);
    EXPECT_TRUE(FollowsEnablingRules(dialog, flags)) << "after clicking " << id;
  }

  ASSERT_NO_FATAL_FAILURE(CancelRun(session, dialog));
  EXPECT_TRUE(ReadStore().empty()) << "Cancel wrote to the settings store";
  EXPECT_FALSE(session.AdventureExists());
}

TEST_F(OptionsDialogTest, StoredEnrouteLevelIsClampedAndRoundedDown) {
  const std::vector<std::pair<DWORD, std::string>> cases = {
      {425, "420"}, {455, "450"}, {599, "590"}, {600, "600"},
      {601, "600"}, {0, "420"},   {419, "420"}, {0xFFFFFFFF, "600"},
  };
  for (const auto& [stored, shown] : cases) {
    SCOPED_TRACE("stored enroutealt " + std::to_string(stored));
    ZuruSession session;
    Dialog dialog =
        StartOverStore(session, {{"enroutealt", stored}, {"active", 1}, {"resetalt", 1}});
    EXPECT_EQ(dialog.Text(IDC_ENROUTEALT), shown);
    EXPECT_TRUE(dialog.Checked(IDC_RESETALT));
    ASSERT_NO_FATAL_FAILURE(CancelRun(session, dialog));
    EXPECT_TRUE(StoreHolds({{"enroutealt", stored}, {"active", 1}, {"resetalt", 1}}));
  }
}

TEST_F(OptionsDialogTest, StoredValuesAreShown) {
  // A check box shows only 0, 1 and 2: any other stored flag shows as clear.
  WriteStore({{"active", 1},
              {"newatc", 1},
              {"nocrew", 5},
              {"heavy", 0xFFFFFFFF},
              {"newatis", 3},
              {"traffic", 150},
              {"maxtime", 77}});
  ZuruSession session;
  session.Start(kStartLine);
  Dialog dialog = session.Options();

  EXPECT_TRUE(dialog.Checked(IDC_ACTIVE));
  EXPECT_TRUE(dialog.Checked(IDC_NEWATC));
  EXPECT_FALSE(dialog.Checked(IDC_NOCREW));
  EXPECT_FALSE(dialog.Checked(IDC_HEAVY));
  EXPECT_FALSE(dialog.Checked(IDC_NEWATIS));
  EXPECT_EQ(dialog.TrackPos(IDC_TRAFFIC), 100);
  EXPECT_EQ(dialog.Text(IDC_MAXTIME), "77");
  EnablingFlags flags;
  flags.active = flags.newatc = true;
  EXPECT_TRUE(FollowsEnablingRules(dialog, flags)) << "newatis 3 must count as off";
  ASSERT_NO_FATAL_FAILURE(CancelRun(session, dialog));
}

struct ClickFailureCase {
  std::string name;
  std::map<std::string, DWORD> stored;
  int edit;
  std::string text;
  int click;
  std::string message;
  EnablingFlags after;  // the rules as the handler applied them
};

TEST_F(OptionsDialogTest, ClickHandlerReportsABadFieldAndGoesOn) {
  const std::vector<ClickFailureCase> cases = {
      // 1023 comes after 1022 in the exchange: resetalt keeps its old value, so
      // 1022 stays enabled though its box is now clear.
      {"level out of range",
       {{"active", 1}, {"resetalt", 1}},
       IDC_ENROUTEALT,
       "700",
       IDC_RESETALT,
       "Please enter an integer between 420 and 600.",
       EnablingFlags{true, false, false, false, true}},
      // 1013 comes before 1016: newatc is already read, the rules follow the box.
      {"empty seconds",
       {{"active", 1}, {"newatc", 1}},
       IDC_MAXTIME,
       "",
       IDC_NEWATC,
       "Please enter a positive integer.",
       EnablingFlags{true, false, false, false, false}},
  };
  for (const ClickFailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    ZuruSession session;
    Dialog dialog = StartOverStore(session, c.stored);
    dialog.Type(c.edit, c.text);
    dialog.PostClick(c.click);

    std::optional<MessageBoxSeen> box = WaitForMessageBox(session.Program().Id(), dialog.Handle());
    ASSERT_TRUE(box.has_value()) << "no message box";
    EXPECT_EQ(box->caption, "ZURU");
    EXPECT_EQ(box->text, c.message);
    AnswerOk(*box);

    // The click's handler goes on after the box: read what it leaves once it is done.
    dialog.WaitUntilIdle();
    EXPECT_FALSE(dialog.Checked(c.click));
    EXPECT_EQ(dialog.Text(c.edit), c.text);
    EXPECT_TRUE(FollowsEnablingRules(dialog, c.after));
    if (dialog.Enabled(c.edit)) {
      EXPECT_SETTLES_EQ(dialog.FocusIdWhenActive(), c.edit) << "the focus";
      EXPECT_SETTLES_EQ(dialog.Selection(c.edit),
                        std::make_pair(0, static_cast<int>(c.text.size())))
          << "the selection";
    }
    ASSERT_NO_FATAL_FAILURE(CancelRun(session, dialog));
    EXPECT_TRUE(StoreHolds(c.stored));
  }
}

TEST_F(OptionsDialogTest, AboutBoxOpensAndCloses) {
  WriteStore({{"active", 1}});
  ZuruSession session;
  session.Start(kStartLine);
  Dialog dialog = session.Options();

  dialog.PostClick(IDC_ABOUT);
  Dialog about = WaitForDialogCaption(session.Program().Id(), "About ...");
  EXPECT_FALSE(IsWindowEnabled(dialog.Handle())) << "the About box should be modal";
  about.Click(IDOK);
  ASSERT_TRUE(WaitUntil([&] { return !about.IsOpen(); })) << "the About box stayed open";
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(dialog.Handle()) != FALSE; }));
  EXPECT_TRUE(dialog.IsOpen());

  ASSERT_NO_FATAL_FAILURE(CancelRun(session, dialog));
  EXPECT_FALSE(session.AdventureExists());
}

}  // namespace
}  // namespace e2e
