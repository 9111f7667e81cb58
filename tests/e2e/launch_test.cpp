// "Create &adventure": what is stored, which program is started with which
// command line, and how the run ends when that program ends or cannot start.
#include <functional>

#include "zuru_e2e.h"

namespace e2e {
namespace {

class LaunchTest : public ZuruTest {};

constexpr const char* kAllOff =
    " -CREW -FLAPS -SETFLPS -NOATIS -NOATISTXT -NOATC -WAV -LIGHT -NOSPD -NOXXX"
    " -ALT000 -ATCSEC0 -TRAFFIC000 -NR1 -NR2 -CG1A -ALT -VELMORAWAV";

struct PatchCase {
  std::string name;
  std::map<std::string, DWORD> stored;       // before the run
  std::function<void(const Dialog&)> edit;   // what the user does in the dialog
  std::string switches;                      // what patch.exe gets after the command line
  std::map<std::string, DWORD> storedAfter;  // differences from a first run's defaults
};

void CheckEverything(const Dialog& d) {
  d.SetCheck(IDC_ACTIVE, true);
  d.SetCheck(IDC_NOCREW, true);
  d.SetCheck(IDC_DONTSETFLAPS, true);  // before 1020 disables it
  d.SetCheck(IDC_NOFLAPS, true);
  d.SetCheck(IDC_HEAVY, true);
  d.SetCheck(IDC_CGROUND1, true);
  d.SetTrackPos(IDC_TRAFFIC, 7);
  d.SetCheck(IDC_CHKSPD, true);
  d.SetCheck(IDC_CROSSING, true);
  d.SetCheck(IDC_NOALTCALL, true);
  d.SetCheck(IDC_RESETALT, true);
  d.Type(IDC_ENROUTEALT, "450");
  d.SetCheck(IDC_DEFWAVFOLDER, true);
  d.SetCheck(IDC_NEWATIS, true);
  d.SetCheck(IDC_ATISTEXT, true);
  d.SetCheck(IDC_NEWATC, true);
  d.SetCheck(IDC_PCM, true);
  d.Type(IDC_MAXTIME, "120");
}

TEST_F(LaunchTest, PatcherGetsTheCommandLineAndOneSwitchPerOption) {
  const std::vector<PatchCase> cases = {
      {"every option off",
       {},
       [](const Dialog& d) { d.SetCheck(IDC_ACTIVE, true); },
       kAllOff,
       {{"active", 1}}},
      {"every option on, set in the dialog",
       {{"userw1", 1}, {"userw2", 1}},
       CheckEverything,
       " -NOCREW -NOFLAPS -NSETFLPS -NEWATIS -ATISTEXT -NEWATC -PCM -HEAVY -CHKSPD -CHKXXX"
       " -ALT450 -ATCSEC120 -TRAFFIC007 -R1 -R2 -CG1M -NALT -DEFWAV",
       {{"active", 1},       {"nocrew", 1},    {"dontsetflaps", 1}, {"noflaps", 1},
        {"heavy", 1},        {"cground1", 1},  {"traffic", 7},      {"chkspd", 1},
        {"crossing", 1},     {"noaltcall", 1}, {"resetalt", 1},     {"enroutealt", 450},
        {"defwavfolder", 1}, {"newatis", 1},   {"atistext", 1},     {"newatc", 1},
        {"pcm", 1},          {"maxtime", 120}, {"userw1", 1},       {"userw2", 1}}},
      {"stored values taken over",
       {{"active", 1},
        {"nocrew", 5},
        {"traffic", 150},
        {"enroutealt", 455},
        {"newatc", 1},
        {"maxtime", 12},
        {"userw1", 1},
        {"cground1", 1}},
       [](const Dialog&) {},
       " -CREW -FLAPS -SETFLPS -NOATIS -NOATISTXT -NEWATC -WAV -LIGHT -NOSPD -NOXXX"
       " -ALT000 -ATCSEC12 -TRAFFIC100 -R1 -NR2 -CG1M -ALT -VELMORAWAV",
       {{"active", 1},
        {"nocrew", 0},
        {"traffic", 100},
        {"enroutealt", 450},
        {"newatc", 1},
        {"maxtime", 12},
        {"userw1", 1},
        {"cground1", 1}}},
      {"level and trackbar at their ends",
       {{"active", 1}, {"resetalt", 1}, {"noaltcall", 0}},
       [](const Dialog& d) {
         d.Type(IDC_ENROUTEALT, "600");
         d.SetTrackPos(IDC_TRAFFIC, 100);
       },
       " -CREW -FLAPS -SETFLPS -NOATIS -NOATISTXT -NOATC -WAV -LIGHT -NOSPD -NOXXX"
       " -ALT600 -ATCSEC0 -TRAFFIC100 -NR1 -NR2 -CG1A -ALT -VELMORAWAV",
       {{"active", 1}, {"resetalt", 1}, {"enroutealt", 600}, {"traffic", 100}}},
  };
  for (const PatchCase& c : cases) {
    SCOPED_TRACE(c.name);
    ZuruSession session;
    Dialog dialog = StartOverStore(session, c.stored);
    c.edit(dialog);
    CreateAdventure(dialog);

    ASSERT_NO_FATAL_FAILURE(ExpectEndAfterStub(session));
    std::vector<StubRun> runs = session.StubRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].program, "patch");
    EXPECT_EQ(runs[0].commandLine, HandedOver("patch.exe", kStartLine + c.switches));
    EXPECT_TRUE(StoreHolds(StoreAfterCreate(c.storedAfter)));
    EXPECT_TRUE(session.AdventureExists());
  }
}

TEST_F(LaunchTest, CompilerGetsTheCommandLineUnchanged) {
  WriteStore({{"nocrew", 1}, {"maxtime", 30}, {"traffic", 40}});
  ZuruSession session;
  session.Start(kStartLine);
  Dialog dialog = session.Options();
  ASSERT_FALSE(dialog.Checked(IDC_ACTIVE));
  CreateAdventure(dialog);

  ASSERT_NO_FATAL_FAILURE(ExpectEndAfterStub(session));
  std::vector<StubRun> runs = session.StubRuns();
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].program, "zuru2");
  EXPECT_EQ(runs[0].commandLine, HandedOver("zuru2.exe", kStartLine));
  EXPECT_TRUE(StoreHolds(StoreAfterCreate({{"nocrew", 1}, {"maxtime", 30}, {"traffic", 40}})));
  EXPECT_TRUE(session.AdventureExists());
}

TEST_F(LaunchTest, RunEndsWhenTheStartedProgramEndsWhateverItsExitCode) {
  // 259 is STILL_ACTIVE: the exit code alone cannot tell that the program ended.
  for (DWORD exitCode : {3u, 259u}) {
    SCOPED_TRACE("exit code " + std::to_string(exitCode));
    ZuruSession session;
    session.SetStubExitCode(exitCode);
    session.Start(kStartLine);
    CreateAdventure(session.Options());

    ASSERT_NO_FATAL_FAILURE(ExpectEndAfterStub(session));
    EXPECT_EQ(session.StubRuns().size(), 1u);
    EXPECT_TRUE(session.AdventureExists()) << "the run should end as OK";
  }
}

TEST_F(LaunchTest, LongCommandLineIsHandedOverWhole) {
  const std::string line = "ZURU.EXE -E C:\\" + std::string(2000, 'A') + "\\EDDFKJFK.TXT";
  for (bool quirtel : {true, false}) {
    SCOPED_TRACE(quirtel ? "patch.exe" : "zuru2.exe");
    DeleteStore();
    WriteStore({{"active", quirtel ? 1u : 0u}});
    ZuruSession session;
    session.Start(line);
    CreateAdventure(session.Options());

    ASSERT_NO_FATAL_FAILURE(ExpectEndAfterStub(session));
    std::vector<StubRun> runs = session.StubRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine,
              quirtel ? HandedOver("patch.exe", line + kAllOff) : HandedOver("zuru2.exe", line));
  }
}

TEST_F(LaunchTest, MissingPatcherStoresOptionsAndDeletesTheAdventure) {
  WriteStore({{"active", 1}});
  ZuruSession session({"zuru2.exe"});
  session.Start(kStartLine);
  Dialog dialog = session.Options();
  dialog.SetCheck(IDC_HEAVY, true);
  CreateAdventure(dialog);

  // The system may tell the user itself, in a message box owned by the dialog.
  ASSERT_TRUE(WaitUntil([&] {
    if (auto box = WaitForMessageBox(session.Program().Id(), dialog.Handle(), Deadline(0))) {
      std::printf("answered the system's message: %s: %s\n", box->caption.c_str(),
                  box->text.c_str());
      AnswerOk(*box);
    }
    return session.Program().HasExited();
  })) << "ZURU.EXE did not end";
  EXPECT_FALSE(session.AdventureExists());
  EXPECT_TRUE(StoreHolds(StoreAfterCreate({{"active", 1}, {"heavy", 1}})));
  EXPECT_TRUE(session.StubRuns().empty());
}

}  // namespace
}  // namespace e2e
