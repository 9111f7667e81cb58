// "Runwa&ys ..." in the real ZURU.EXE: what the runways dialog loads from
// quirtel.ini, what it writes back, the entries made in the runway entry dialog,
// and the two use-runways flags it hands on to patch.exe as " -R1"/" -NR1" and
// " -R2"/" -NR2".
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "driver/settle.h"
#include "driver/store.h"
#include "driver/wait.h"
#include "driver/zuru_session.h"
#include "res/resource.h"

namespace e2e {
namespace {

constexpr const char* kRunwaysCaption = "Runways";
constexpr const char* kEntryCaption = "Enter runway properties";
constexpr const char* kRunwayFile = "quirtel.ini";
constexpr const char* kRunwayTwin = "quirtel.in2";

// Every state read after an action settles in the program's own time: it is
// read again until it is as expected or the deadline has passed (EXPECT_SETTLES_EQ).
// A state that must stay as it was is read once, after an event that guarantees
// the action has been handled (a sent click has come back, a dialog has closed,
// the program has ended).

// Longer than a line piece (254 characters): it loads as two rows.
const std::string kLongLine = "9" + std::string(299, 'x');

// A runway file as hand edits and earlier saves leave it: a comment before the
// first section, other airports around ours, a header with a remark after it, a
// blank entry, an over-long line, and both CRLF and lone LF line ends.
const std::string kPreparedFile =
    "; preferred runways\n"
    "[LOWW]\r\n"
    "16 (109.70)\r\n"
    "[EDDF] Frankfurt\r\n"
    "25R (110.30/only landing)\r\n"
    "\r\n"
    "07L (no ILS/only TO)\n"
    "[KJFK]\r\n"
    "04L (110.90)\r\n" +
    kLongLine +
    "\r\n"
    "[EGLL]\r\n" +
    kLongLine +
    "\r\n"
    "27L (110.30)\r\n";

// What the dialog loads from kPreparedFile for EDDFKJFK.TXT, in the lists' order.
const std::vector<std::string> kPreparedFirstRows = {"", "07L (no ILS/only TO)",
                                                     "25R (110.30/only landing)"};
const std::vector<std::string> kPreparedSecondRows = {"04L (110.90)", kLongLine.substr(0, 254),
                                                      kLongLine.substr(254)};

// kPreparedFile after a save: everything else in its old order, line ends made
// CRLF, then the two sections as `first` and `second`.
std::string SavedPreparedFile(const std::vector<std::string>& first,
                              const std::vector<std::string>& second) {
  std::string file = "; preferred runways\r\n[LOWW]\r\n16 (109.70)\r\n[EGLL]\r\n" + kLongLine +
                     "\r\n27L (110.30)\r\n[EDDF]\r\n";
  for (const std::string& row : first) file += row + "\r\n";
  file += "[KJFK]\r\n";
  for (const std::string& row : second) file += row + "\r\n";
  return file;
}

// One runway as a person fills in the entry dialog.
struct RunwayInput {
  std::string number;
  std::vector<int> sideClicks;  // IDC_LEFT / IDC_RIGHT, clicked in this order
  bool ils;
  std::string frequency;  // typed only with the ILS on
  int usageButton;        // IDC_USAGE_BOTH, IDC_USAGE_TAKEOFF or IDC_USAGE_LANDING
};

// Both use-runways flags as the settings store hands them to the options dialog.
void StoreFlags(DWORD first, DWORD second) {
  WriteStoreDword("userw1", first);
  WriteStoreDword("userw2", second);
}

void SelectRow(const Dialog& dialog, int listId, const std::string& text) {
  const std::vector<std::string> rows = dialog.ListRows(listId);
  const auto row = std::find(rows.begin(), rows.end(), text);
  ASSERT_NE(row, rows.end()) << text;
  DWORD_PTR result = 0;
  SendMessageTimeoutA(dialog.Item(listId), LB_SETCURSEL, row - rows.begin(), 0, SMTO_NORMAL,
                      test_support::Deadline(10000).Ms(), &result);
}

// The list, Add and Delete of an airport, enabled or not.
std::vector<bool> AirportEnabling(const Dialog& runways, int listId, int addId, int deleteId) {
  return {runways.Enabled(listId), runways.Enabled(addId), runways.Enabled(deleteId)};
}

void ExpectAirportEnabled(const Dialog& runways, int listId, int addId, int deleteId,
                          bool enabled) {
  EXPECT_SETTLES_EQ(AirportEnabling(runways, listId, addId, deleteId),
                    std::vector<bool>(3, enabled));
}

int ListOf(int addButton) { return addButton == IDC_FIRST_ADD ? IDC_FIRST_LIST : IDC_SECOND_LIST; }

void Close(const Dialog& dialog, int button) {
  dialog.Click(button);
  ASSERT_TRUE(WaitUntil([&] { return !dialog.IsOpen(); }));
}

// The runway number has the focus, with `start`..`end` of its text selected. The
// selection is read first: the focus is read once the dialog is active, and
// activating a dialog selects the whole text of its focused edit by itself.
void ExpectNumberFocusedWithSelection(const Dialog& dialog, int start, int end) {
  EXPECT_SETTLES_EQ(dialog.Selection(IDC_RUNWAY_NUMBER), std::make_pair(start, end))
      << "the selection";
  EXPECT_SETTLES_EQ(dialog.FocusIdWhenActive(), IDC_RUNWAY_NUMBER) << "the focus";
}

// One run of ZURU.EXE in its own folder, with the steps a person takes to reach
// and use the runway dialogs.
class RunwaysRun {
 public:
  void WriteRunwayFile(const std::string& content) {
    ASSERT_TRUE(WriteFile(m_session.PathOf(kRunwayFile), content));
  }
  std::string PathOf(const std::string& name) const { return m_session.PathOf(name); }
  std::string RunwayFile() const { return ReadFile(m_session.PathOf(kRunwayFile)); }
  bool RunwayFileExists() const { return FileExists(m_session.PathOf(kRunwayFile)); }
  bool TwinLeft() const { return FileExists(m_session.PathOf(kRunwayTwin)); }
  DWORD ProcessId() { return m_session.Program().Id(); }

  // Starts ZURU.EXE on `adventure` and turns "&Use Quirtel" on, which enables
  // "Runwa&ys ...".
  Dialog StartWithQuirtel(const std::string& adventure = kAdventureName) {
    m_session.Start("ZURU.EXE -E " + adventure);
    Dialog options = m_session.Options();
    options.SetCheck(IDC_ACTIVE, true);
    EXPECT_SETTLES_EQ(options.Enabled(IDC_RUNWAYS), true);
    return options;
  }

  Dialog OpenRunways(const Dialog& options) {
    options.PostClick(IDC_RUNWAYS);
    return WaitForDialogCaption(ProcessId(), kRunwaysCaption);
  }

  Dialog OpenEntry(const Dialog& runways, int addButton) {
    runways.PostClick(addButton);
    Dialog entry = WaitForDialogCaption(ProcessId(), kEntryCaption);
    // Shown with runway 1 in the number field, focused and selected, so typing replaces it.
    ExpectNumberFocusedWithSelection(entry, 0, 1);
    return entry;
  }

  // Waits until the entry dialog has gone and the Add handler that opened it has
  // returned: the row it gave is in the list then, or will never be.
  static void WaitForEntryHandled(const Dialog& runways, const Dialog& entry, int addButton) {
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(entry.Handle()); }));
    runways.WaitForPostedMessagesToList(ListOf(addButton));
  }

  static void CloseEntryWithOk(const Dialog& runways, const Dialog& entry, int addButton) {
    Close(entry, IDOK);
    WaitForEntryHandled(runways, entry, addButton);
  }

  void AddRunway(const Dialog& runways, int addButton, const RunwayInput& input) {
    Dialog entry = OpenEntry(runways, addButton);
    entry.Type(IDC_RUNWAY_NUMBER, input.number);
    for (int side : input.sideClicks) entry.Click(side);
    entry.SetCheck(IDC_ILS, input.ils);
    if (input.ils) entry.Type(IDC_ILS_FREQUENCY, input.frequency);
    entry.Click(input.usageButton);
    CloseEntryWithOk(runways, entry, addButton);
  }

  // Adds the entry as it opens: runway 01 with an ILS on 110.00.
  void AddFirstOffer(const Dialog& runways, int addButton) {
    CloseEntryWithOk(runways, OpenEntry(runways, addButton), addButton);
  }

  // "Create &adventure", then the two runway switches that patch.exe received.
  std::string CreateAdventureRunwaySwitches(const Dialog& options) {
    options.PostClick(IDC_CREATE_ADVENTURE);
    if (!m_session.WaitForExit()) return "ZURU.EXE did not end";
    if (!WaitUntil([&] { return m_session.StubEnded(); })) return "the stand-in did not end";
    const std::vector<StubRun> runs = m_session.StubRuns();
    if (runs.size() != 1 || runs[0].program != "patch") return "patch.exe did not run once";
    // The runway switches follow the traffic rate: " -TRAFFIC050 -R1 -NR2 ...".
    const std::string& line = runs[0].commandLine;
    const std::size_t traffic = line.find(" -TRAFFIC");
    if (traffic == std::string::npos) return "no traffic switch in: " + line;
    const std::size_t first = line.find(' ', traffic + 1);
    const std::size_t afterSecond = line.find(' ', line.find(' ', first + 1) + 1);
    return line.substr(first + 1, afterSecond - first - 1);
  }

 private:
  ZuruSession m_session;
};

// Every test starts from an empty settings store: both flags off.
class RunwaysTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteStore(); }
};

TEST_F(RunwaysTest, LoadsBothSectionsEditsThemAndSavesTheFileOnOk) {
  RunwaysRun run;
  run.WriteRunwayFile(kPreparedFile);
  Dialog options = run.StartWithQuirtel();
  Dialog runways = run.OpenRunways(options);

  EXPECT_SETTLES_EQ(runways.Text(IDC_FIRST_GROUP), "[EDDF]");
  EXPECT_SETTLES_EQ(runways.Text(IDC_SECOND_GROUP), "[KJFK]");
  EXPECT_SETTLES_EQ(runways.ListRows(IDC_FIRST_LIST), kPreparedFirstRows);
  EXPECT_SETTLES_EQ(runways.ListRows(IDC_SECOND_LIST), kPreparedSecondRows);
  // Fresh flags are off: the lists and their buttons wait for the check boxes.
  EXPECT_SETTLES_EQ(runways.Checked(IDC_USE_FIRST), false);
  EXPECT_SETTLES_EQ(runways.Checked(IDC_USE_SECOND), false);
  ExpectAirportEnabled(runways, IDC_FIRST_LIST, IDC_FIRST_ADD, IDC_FIRST_DELETE, false);
  ExpectAirportEnabled(runways, IDC_SECOND_LIST, IDC_SECOND_ADD, IDC_SECOND_DELETE, false);

  runways.SetCheck(IDC_USE_FIRST, true);
  ExpectAirportEnabled(runways, IDC_FIRST_LIST, IDC_FIRST_ADD, IDC_FIRST_DELETE, true);
  ExpectAirportEnabled(runways, IDC_SECOND_LIST, IDC_SECOND_ADD, IDC_SECOND_DELETE, false);
  runways.SetCheck(IDC_USE_SECOND, true);
  ExpectAirportEnabled(runways, IDC_SECOND_LIST, IDC_SECOND_ADD, IDC_SECOND_DELETE, true);

  run.AddRunway(runways, IDC_FIRST_ADD, {"9", {IDC_LEFT}, true, "110.3", IDC_USAGE_BOTH});
  run.AddRunway(runways, IDC_FIRST_ADD, {"0", {}, true, "108.5", IDC_USAGE_LANDING});
  run.AddRunway(runways, IDC_SECOND_ADD, {"27", {IDC_RIGHT}, false, "", IDC_USAGE_TAKEOFF});
  run.AddRunway(runways, IDC_SECOND_ADD,
                {"120", {IDC_RIGHT, IDC_LEFT}, true, "9.5", IDC_USAGE_BOTH});
  EXPECT_SETTLES_EQ(
      runways.ListRows(IDC_FIRST_LIST),
      (std::vector<std::string>{"", "07L (no ILS/only TO)", "09L (110.30)",
                                "25R (110.30/only landing)", "36 (108.50/only landing)"}));
  const std::vector<std::string> second = {"04L (110.90)", "120L (009.50)", "27R (no ILS/only TO)",
                                           kLongLine.substr(0, 254), kLongLine.substr(254)};
  EXPECT_SETTLES_EQ(runways.ListRows(IDC_SECOND_LIST), second);

  // Both clicks are sent: each has been handled when it comes back.
  SelectRow(runways, IDC_FIRST_LIST, "07L (no ILS/only TO)");
  runways.Click(IDC_FIRST_DELETE);
  runways.Click(IDC_SECOND_DELETE);  // nothing selected there: nothing goes
  const std::vector<std::string> first = {"", "09L (110.30)", "25R (110.30/only landing)",
                                          "36 (108.50/only landing)"};
  EXPECT_SETTLES_EQ(runways.ListRows(IDC_FIRST_LIST), first);
  EXPECT_EQ(runways.ListRows(IDC_SECOND_LIST), second);

  Close(runways, IDOK);
  EXPECT_SETTLES_EQ(run.RunwayFile(), SavedPreparedFile(first, second));
  EXPECT_FALSE(run.TwinLeft());
  EXPECT_EQ(run.CreateAdventureRunwaySwitches(options), "-R1 -R2");
}

TEST_F(RunwaysTest, OkWithoutChangesMovesTheSectionsToTheEndAndASecondSaveKeepsTheFile) {
  RunwaysRun run;
  run.WriteRunwayFile(kPreparedFile);
  Dialog options = run.StartWithQuirtel();
  Close(run.OpenRunways(options), IDOK);
  const std::string saved = SavedPreparedFile(kPreparedFirstRows, kPreparedSecondRows);
  EXPECT_SETTLES_EQ(run.RunwayFile(), saved);

  Dialog again = run.OpenRunways(options);
  EXPECT_SETTLES_EQ(again.ListRows(IDC_FIRST_LIST), kPreparedFirstRows);
  EXPECT_SETTLES_EQ(again.ListRows(IDC_SECOND_LIST), kPreparedSecondRows);
  Close(again, IDOK);
  EXPECT_EQ(run.CreateAdventureRunwaySwitches(options), "-NR1 -NR2");
  // The program has ended: what it saved last is in place.
  EXPECT_EQ(run.RunwayFile(), saved);
  EXPECT_FALSE(run.TwinLeft());
}

TEST_F(RunwaysTest, ReadOnlyRunwayFileStaysAsItWasWithoutAMessage) {
  RunwaysRun run;
  run.WriteRunwayFile(kPreparedFile);
  const std::string path = run.PathOf(kRunwayFile);
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  // As the system shows them: Wine keeps the archive mark on.
  const DWORD attributes = GetFileAttributesA(path.c_str());
  ASSERT_NE(attributes & FILE_ATTRIBUTE_READONLY, 0u);
  Dialog options = run.StartWithQuirtel();
  Dialog runways = run.OpenRunways(options);
  runways.SetCheck(IDC_USE_FIRST, true);
  run.AddRunway(runways, IDC_FIRST_ADD, {"18", {}, false, "", IDC_USAGE_BOTH});
  EXPECT_SETTLES_EQ(runways.ListRows(IDC_FIRST_LIST),
                    (std::vector<std::string>{"", "07L (no ILS/only TO)", "18 (no ILS)",
                                              "25R (110.30/only landing)"}));
  Close(runways, IDOK);

  // The OK click has come back: no message box came up, the file is as it was.
  EXPECT_EQ(VisibleDialogs(run.ProcessId()), std::vector<HWND>{options.Handle()});
  EXPECT_EQ(run.RunwayFile(), kPreparedFile);
  EXPECT_EQ(GetFileAttributesA(path.c_str()), attributes);
  EXPECT_FALSE(run.TwinLeft());
  EXPECT_EQ(run.CreateAdventureRunwaySwitches(options), "-R1 -NR2");
  EXPECT_EQ(run.RunwayFile(), kPreparedFile);
  EXPECT_EQ(GetFileAttributesA(path.c_str()), attributes);
  EXPECT_FALSE(run.TwinLeft());
}

TEST_F(RunwaysTest, CancelLeavesTheFileAndTheFlagsAsTheyWere) {
  const std::vector<std::pair<const char*, std::function<void(const Dialog&)>>> cancels = {
      {"Cancel button", [](const Dialog& runways) { runways.Click(IDCANCEL); }},
      {"Escape key", [](const Dialog& runways) { runways.PressEscape(); }},
  };
  for (const auto& [how, cancel] : cancels) {
    SCOPED_TRACE(how);
    DeleteStore();
    StoreFlags(1, 1);
    RunwaysRun run;
    run.WriteRunwayFile(kPreparedFile);
    Dialog options = run.StartWithQuirtel();
    Dialog runways = run.OpenRunways(options);
    // Flags that come in set show set while their airport has runways.
    EXPECT_SETTLES_EQ(runways.Checked(IDC_USE_FIRST), true);
    EXPECT_SETTLES_EQ(runways.Checked(IDC_USE_SECOND), true);
    ExpectAirportEnabled(runways, IDC_FIRST_LIST, IDC_FIRST_ADD, IDC_FIRST_DELETE, true);
    ExpectAirportEnabled(runways, IDC_SECOND_LIST, IDC_SECOND_ADD, IDC_SECOND_DELETE, true);

    run.AddRunway(runways, IDC_SECOND_ADD, {"18", {}, false, "", IDC_USAGE_BOTH});
    SelectRow(runways, IDC_FIRST_LIST, "25R (110.30/only landing)");
    runways.Click(IDC_FIRST_DELETE);
    runways.SetCheck(IDC_USE_FIRST, false);
    runways.SetCheck(IDC_USE_SECOND, false);
    cancel(runways);
    ASSERT_TRUE(WaitUntil([&] { return !runways.IsOpen(); }));

    EXPECT_EQ(run.CreateAdventureRunwaySwitches(options), "-R1 -R2");
    // The program has ended: nothing it did could still change the file.
    EXPECT_EQ(run.RunwayFile(), kPreparedFile);
    EXPECT_FALSE(run.TwinLeft());
  }
}

TEST_F(RunwaysTest, FlagsOfAirportsWithoutRunwaysComeBackCleared) {
  // Both flags come in set, but there is no runway file: nothing to choose from.
  StoreFlags(1, 1);
  RunwaysRun run;
  Dialog options = run.StartWithQuirtel();
  Dialog runways = run.OpenRunways(options);
  EXPECT_SETTLES_EQ(runways.Checked(IDC_USE_FIRST), false);
  EXPECT_SETTLES_EQ(runways.Checked(IDC_USE_SECOND), false);
  ExpectAirportEnabled(runways, IDC_FIRST_LIST, IDC_FIRST_ADD, IDC_FIRST_DELETE, false);
  ExpectAirportEnabled(runways, IDC_SECOND_LIST, IDC_SECOND_ADD, IDC_SECOND_DELETE, false);

  // Checked again, but only the second airport gets a runway.
  runways.SetCheck(IDC_USE_FIRST, true);
  runways.SetCheck(IDC_USE_SECOND, true);
  run.AddFirstOffer(runways, IDC_SECOND_ADD);
  EXPECT_EQ(runways.ListRows(IDC_SECOND_LIST), std::vector<std::string>{"01 (110.00)"});
  Close(runways, IDOK);

  EXPECT_SETTLES_EQ(run.RunwayFile(), "[EDDF]\r\n[KJFK]\r\n01 (110.00)\r\n");
  EXPECT_EQ(run.CreateAdventureRunwaySwitches(options), "-NR1 -R2");
}

TEST_F(RunwaysTest, AdventureNamesGiveTheAirportsOfTheCaptions) {
  struct Case {
    const char* adventure;
    const char* first;
    const char* second;
  };
  const Case cases[] = {
      {"C:\\FS\\ADVENTURES\\EDDFKJFK.TXT", "[EDDF]", "[KJFK]"},
      {"c:\\fs\\adventures\\lowwedds.txt", "[LOWW]", "[EDDS]"},
      {"EDDFKJFK.TXT.BAK", "[EDDF]", "[KJFK]"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.adventure);
    RunwaysRun run;
    Dialog options = run.StartWithQuirtel(c.adventure);
    Dialog runways = run.OpenRunways(options);
    EXPECT_SETTLES_EQ(runways.Text(IDC_FIRST_GROUP), c.first);
    EXPECT_SETTLES_EQ(runways.Text(IDC_SECOND_GROUP), c.second);
    Close(runways, IDCANCEL);
    // The Cancel click has come back: nothing was written.
    EXPECT_FALSE(run.RunwayFileExists());
  }
}

TEST_F(RunwaysTest, RefusedAdventureNamesCloseTheDialogWithoutATrace) {
  const char* const adventures[] = {
      "EDDFKJF.TXT",                // seven characters
      "EDDFKJFKX.TXT",              // nine
      "C:\\FS\\EDDFKJFK.ADV",       // no ".TXT"
      "D:\\OLD.TXT\\EDDFKJFK.TXT",  // the first ".TXT" is the directory's
  };
  for (const char* adventure : adventures) {
    SCOPED_TRACE(adventure);
    DeleteStore();
    StoreFlags(1, 1);
    RunwaysRun run;
    run.WriteRunwayFile(kPreparedFile);
    Dialog options = run.StartWithQuirtel(adventure);
    // The click comes back only when its handler has ended: the dialog ended
    // before it was ever shown.
    options.Click(IDC_RUNWAYS);
    EXPECT_EQ(VisibleDialogs(run.ProcessId()), std::vector<HWND>{options.Handle()});
    EXPECT_SETTLES_EQ(IsWindowEnabled(options.Handle()) != FALSE, true);
    EXPECT_EQ(run.RunwayFile(), kPreparedFile);
    EXPECT_FALSE(run.TwinLeft());
    EXPECT_EQ(run.CreateAdventureRunwaySwitches(options), "-R1 -R2");
  }
}

TEST_F(RunwaysTest, EqualCodesLoadIntoTheFirstListAndSaveTwoSections) {
  RunwaysRun run;
  run.WriteRunwayFile("[EDDF]\r\n07L (110.10)\r\n");
  Dialog options = run.StartWithQuirtel("EDDFEDDF.TXT");
  Dialog runways = run.OpenRunways(options);
  EXPECT_SETTLES_EQ(runways.Text(IDC_FIRST_GROUP), "[EDDF]");
  EXPECT_SETTLES_EQ(runways.Text(IDC_SECOND_GROUP), "[EDDF]");
  EXPECT_SETTLES_EQ(runways.ListRows(IDC_FIRST_LIST), std::vector<std::string>{"07L (110.10)"});
  EXPECT_TRUE(runways.ListRows(IDC_SECOND_LIST).empty());

  runways.SetCheck(IDC_USE_SECOND, true);
  run.AddFirstOffer(runways, IDC_SECOND_ADD);
  EXPECT_EQ(runways.ListRows(IDC_SECOND_LIST), std::vector<std::string>{"01 (110.00)"});
  Close(runways, IDOK);
  EXPECT_SETTLES_EQ(run.RunwayFile(), "[EDDF]\r\n07L (110.10)\r\n[EDDF]\r\n01 (110.00)\r\n");

  Dialog reopened = run.OpenRunways(options);
  EXPECT_SETTLES_EQ(reopened.ListRows(IDC_FIRST_LIST),
                    (std::vector<std::string>{"01 (110.00)", "07L (110.10)"}));
  EXPECT_TRUE(reopened.ListRows(IDC_SECOND_LIST).empty());
  Close(reopened, IDCANCEL);
}

TEST_F(RunwaysTest, EntryDialogKeepsLeftAndRightExclusiveAndIlsGovernsTheFrequency) {
  RunwaysRun run;
  Dialog options = run.StartWithQuirtel();
  Dialog runways = run.OpenRunways(options);
  runways.SetCheck(IDC_USE_FIRST, true);
  Dialog entry = run.OpenEntry(runways, IDC_FIRST_ADD);
  EXPECT_SETTLES_EQ(entry.Text(IDC_RUNWAY_NUMBER), "1");
  EXPECT_SETTLES_EQ(entry.Text(IDC_ILS_FREQUENCY), "110");
  EXPECT_SETTLES_EQ(entry.Checked(IDC_ILS), true);
  EXPECT_SETTLES_EQ(entry.Checked(IDC_USAGE_BOTH), true);

  struct Step {
    int click;
    bool left;
    bool right;
  };
  const Step steps[] = {
      {IDC_RIGHT, false, true},
      {IDC_LEFT, true, false},
      {IDC_RIGHT, false, true},
      {IDC_RIGHT, false, false},  // unchecking leaves neither
  };
  for (const Step& step : steps) {
    entry.Click(step.click);
    EXPECT_SETTLES_EQ(std::make_pair(entry.Checked(IDC_LEFT), entry.Checked(IDC_RIGHT)),
                      std::make_pair(step.left, step.right));
  }
  // A side click writes every member back: the number in its plain form.
  entry.Type(IDC_RUNWAY_NUMBER, "007");
  entry.Click(IDC_LEFT);
  EXPECT_SETTLES_EQ(entry.Text(IDC_RUNWAY_NUMBER), "7");

  entry.Click(IDC_ILS);
  EXPECT_SETTLES_EQ(entry.Enabled(IDC_ILS_FREQUENCY), false);
  entry.Click(IDC_ILS);
  EXPECT_SETTLES_EQ(entry.Enabled(IDC_ILS_FREQUENCY), true);

  // Escape adds nothing: read once the Add handler has returned.
  entry.PressEscape();
  RunwaysRun::WaitForEntryHandled(runways, entry, IDC_FIRST_ADD);
  EXPECT_TRUE(runways.ListRows(IDC_FIRST_LIST).empty());
  Close(runways, IDCANCEL);
}

TEST_F(RunwaysTest, EntryDialogStaysOpenOnANumberThatIsNotAnInteger) {
  RunwaysRun run;
  Dialog options = run.StartWithQuirtel();
  Dialog runways = run.OpenRunways(options);
  runways.SetCheck(IDC_USE_FIRST, true);
  Dialog entry = run.OpenEntry(runways, IDC_FIRST_ADD);

  entry.Type(IDC_RUNWAY_NUMBER, "abc");
  entry.PostClick(IDOK);
  auto box = WaitForMessageBox(run.ProcessId(), entry.Handle());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "Please enter an integer.");
  EXPECT_EQ(box->caption, "ZURU");
  AnswerOk(*box);
  // The field comes back focused with its text selected; once the OK handler has
  // returned, the dialog is still open.
  ExpectNumberFocusedWithSelection(entry, 0, 3);
  EXPECT_EQ(entry.Text(IDC_RUNWAY_NUMBER), "abc");
  entry.WaitForPostedMessages(IDC_ILS_FREQUENCY);
  EXPECT_TRUE(entry.IsOpen());

  // A click on Left reads the same text: the message again, then the last
  // accepted number comes back and Left is undone.
  entry.PostClick(IDC_LEFT);
  box = WaitForMessageBox(run.ProcessId(), entry.Handle());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "Please enter an integer.");
  AnswerOk(*box);
  EXPECT_SETTLES_EQ(std::make_pair(entry.Text(IDC_RUNWAY_NUMBER), entry.Checked(IDC_LEFT)),
                    std::make_pair(std::string("1"), false));

  entry.Type(IDC_RUNWAY_NUMBER, "12");
  RunwaysRun::CloseEntryWithOk(runways, entry, IDC_FIRST_ADD);
  EXPECT_EQ(runways.ListRows(IDC_FIRST_LIST), std::vector<std::string>{"12 (110.00)"});
  Close(runways, IDOK);
  EXPECT_SETTLES_EQ(run.RunwayFile(), "[EDDF]\r\n12 (110.00)\r\n[KJFK]\r\n");
}

}  // namespace
}  // namespace e2e
