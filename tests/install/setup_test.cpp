// The setup program and the uninstaller, run silently under Wine over prepared
// simulator folders. The zuru2 stand-in plays the simulator's compiler: after
// every run, each file of the folder is compared byte for byte, and the folder
// must be either completely installed (exit 0) or exactly as it was.
#include <functional>

#include "setup_fixture.h"

namespace setup {
namespace {

using e2e::ReadFile;
using e2e::TestFolder;

TEST_F(SetupTest, SetupProgramsVersionRecordSaysWhatItIs) {
  EXPECT_EQ(VersionString(SetupPath(), "ProductVersion"), ZURU_PRODUCT_VERSION_TEXT);
  EXPECT_EQ(VersionString(SetupPath(), "ProductName"), "ZURU Adventure Options setup");
  EXPECT_NE(VersionString(SetupPath(), "FileDescription").find("Setup of ZURU Adventure Options"),
            std::string::npos);
  // What the setup program tells our builds apart by.
  EXPECT_EQ(VersionString(e2e::ZuruExePath(), "ProductName"), "ZURU Adventure Options");
  EXPECT_EQ(VersionString(e2e::ZuruExePath(), "ProductVersion"), ZURU_PRODUCT_VERSION_TEXT);
  EXPECT_EQ(VersionString(OtherBuildOfOurs("older"), "ProductVersion"), "4.10");
}

// The setup program knows our ZURU.EXE by its product name and company: both
// come from one place in the build, and so must agree with ZURU.EXE's.
TEST_F(SetupTest, SetupProgramAndZuruAgreeOnWhatTheProductIs) {
  const std::string ours = e2e::ZuruExePath();
  EXPECT_EQ(VersionString(SetupPath(), "ProductVersion"), VersionString(ours, "ProductVersion"));
  EXPECT_EQ(VersionString(SetupPath(), "CompanyName"), VersionString(ours, "CompanyName"));
  EXPECT_EQ(VersionString(SetupPath(), "ProductName"),
            VersionString(ours, "ProductName") + " setup");
  EXPECT_EQ(VersionString(SetupPath(), "OriginalFilename"),
            "zuru-" + VersionString(ours, "ProductVersion") + "-setup.exe");
}

TEST_F(SetupTest, WhatTheFolderHoldsDecidesBetweenInstallingAndChangingNothing) {
  ASSERT_FALSE(kCompiler.empty() || kOurs.empty() || kOlderOurs.empty() || kNewerOurs.empty() ||
               kForeign.empty());
  const struct {
    std::string name;
    Files files;
    DWORD code;
  } cases[] = {
      {"the compiler, patch.exe and quirtel.ini", m_simulator, kDone},
      {"the compiler alone: installs, without patch.exe too", {{"ZURU.EXE", kCompiler}}, kDone},
      {"ours and the compiler as zuru2.exe: a repair",
       {{"ZURU.EXE", kOurs}, {"zuru2.exe", kCompiler}},
       kDone},
      {"an older build of ours and its uninstaller: an upgrade",
       {{"ZURU.EXE", kOlderOurs}, {"zuru2.exe", kCompiler}, {kUninstaller, "MZ old uninstaller"}},
       kDone},
      {"a newer build of ours", {{"ZURU.EXE", kNewerOurs}, {"zuru2.exe", kCompiler}}, kRefused},
      {"the compiler restored over ours, and a zuru2.exe",
       {{"ZURU.EXE", kCompiler}, {"zuru2.exe", kOtherCompiler}},
       kRefused},
      {"the compiler, and ours as zuru2.exe",
       {{"ZURU.EXE", kCompiler}, {"zuru2.exe", kOurs}},
       kRefused},
      {"ours without zuru2.exe: the compiler is missing", {{"ZURU.EXE", kOurs}}, kRefused},
      {"ours as both files", {{"ZURU.EXE", kOurs}, {"zuru2.exe", kOlderOurs}}, kRefused},
      {"no ZURU.EXE", {{"patch.exe", kPatch}}, kRefused},
      {"another maker's file with our product name, and a zuru2.exe",
       {{"ZURU.EXE", kForeign}, {"zuru2.exe", kCompiler}},
       kRefused},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestFolder folder;
    WriteFolder(folder.Path(), c.files);
    const DWORD code = RunSetup(folder.Path());
    EXPECT_EQ(code, c.code);
    ExpectWholeOrNothing(code, folder.Path(), c.files, ReadFolder(folder.Path()));
    DeleteSetupRegistry();
  }

  // A folder that is not there is refused, and not made.
  TestFolder parent;
  EXPECT_EQ(RunSetup(parent / "no such folder"), kRefused);
  EXPECT_FALSE(e2e::FileExists(parent / "no such folder"));
}

TEST_F(SetupTest, InstalledZuruHandsTheAdventureToTheCompilerWithUseQuirtelOff) {
  TestFolder folder;
  WriteFolder(folder.Path(),
              {{"ZURU.EXE", kCompiler}, {e2e::kAdventureName, e2e::kSampleAdventure}});
  ASSERT_EQ(RunSetup(folder.Path()), kDone);

  e2e::Process zuru(folder / "ZURU.EXE", e2e::kStartLine, folder.Path());
  e2e::Dialog options = e2e::WaitForOptionsDialog(zuru.Id());
  ASSERT_FALSE(options.Checked(IDC_ACTIVE));
  CreateAdventure(options);
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::FileExists(folder / e2e::kStubEnded); }))
      << "the compiler was not started";
  ASSERT_TRUE(zuru.WaitForExit(e2e::kDefaultTimeoutMs).has_value());

  const std::vector<e2e::StubRun> runs = e2e::ReadStubLog(folder.Path());
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].program, "zuru2");
  EXPECT_EQ(runs[0].commandLine, e2e::HandedOver("zuru2.exe", e2e::kStartLine));
  EXPECT_EQ(ReadFile(folder / "zuru2.exe"), kCompiler);
}

TEST_F(SetupTest, InstallTwiceThenUninstallGivesTheFolderBackAndRemovesTheEntry) {
  TestFolder folder;
  WriteFolder(folder.Path(), m_simulator);
  ASSERT_EQ(RunSetup(folder.Path()), kDone);
  const Files installed = ReadFolder(folder.Path());
  ASSERT_TRUE(Installed(m_simulator, installed));

  EXPECT_TRUE(EntriesAre({folder.Path()}));

  // Again over itself: a repair that leaves the same files.
  ASSERT_EQ(RunSetup(folder.Path()), kDone);
  EXPECT_TRUE(Unchanged(installed, ReadFolder(folder.Path())));

  ASSERT_EQ(RunUninstaller(folder.Path()), kDone);
  EXPECT_TRUE(Unchanged(m_simulator, ReadFolder(folder.Path())));
  EXPECT_TRUE(EntriesAre({}));
}

// Two simulators on one machine, each in its own folder with its own entry:
// a run over one folder leaves the other's files and entry as they were. A
// starts with an earlier version installed and the one entry that version kept
// for every folder, B with a compiler of its own. After every step each file of
// both folders and every entry of ours are checked.
TEST_F(SetupTest, TwoSimulatorFoldersAreInstalledUpgradedAndUninstalledEachOnItsOwn) {
  TestFolder a, b;
  const TestFolder* folders[] = {&a, &b};
  Files files[] = {{{"ZURU.EXE", kOlderOurs},
                    {"zuru2.exe", kCompiler},
                    {kUninstaller, "MZ old uninstaller"},
                    {"quirtel.ini", kQuirtelIni}},
                   {{"ZURU.EXE", kOtherCompiler}, {"patch.exe", kPatch}}};
  WriteFolder(a.Path(), files[0]);
  WriteFolder(b.Path(), files[1]);
  std::optional<Entry> shared = Entry{{"DisplayName", "ZURU Adventure Options 4.10"},
                                      {"DisplayVersion", "4.10"},
                                      {"InstallLocation", Location(a.Path())},
                                      {"UninstallString", "\"" + a / kUninstaller + "\""}};
  WriteSharedEntry(*shared);
  bool hasEntry[] = {false, false};
  std::string last;  // the folder the setup program suggests

  enum { kInstall, kInstallWhileTheCompilerRuns, kUninstall };
  // How the run is given the folder: the same folder, however spelled.
  enum { kAsMade, kInCapitalsWithABackslash, kInLowerCase };
  const struct {
    std::string name;
    int run;
    int folder;  // 0: A, 1: B
    int spelling;
    DWORD code;
  } steps[] = {
      {"a fresh install into B fails", kInstallWhileTheCompilerRuns, 1, kAsMade, kFailed},
      {"install into B", kInstall, 1, kAsMade, kDone},
      {"repair B", kInstall, 1, kInCapitalsWithABackslash, kDone},
      {"upgrade A from the earlier version", kInstall, 0, kAsMade, kDone},
      {"uninstall A", kUninstall, 0, kInLowerCase, kDone},
      {"install into A again", kInstall, 0, kAsMade, kDone},
      {"uninstall B", kUninstall, 1, kAsMade, kDone},
      {"a fresh install into B fails again", kInstallWhileTheCompilerRuns, 1, kAsMade, kFailed},
      {"uninstall A again", kUninstall, 0, kAsMade, kDone},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    const TestFolder& folder = *folders[step.folder];
    std::string spelled = folder.Path();
    if (step.spelling == kInCapitalsWithABackslash) CharUpperA(spelled.data());
    if (step.spelling == kInLowerCase) CharLowerA(spelled.data());
    DWORD code = kDone;
    if (step.run == kInstall) {
      code = step.spelling == kInCapitalsWithABackslash ? RunSetupAs(spelled) : RunSetup(spelled);
    } else if (step.run == kInstallWhileTheCompilerRuns) {
      HeldFile compiler(folder / "ZURU.EXE", FILE_SHARE_READ);
      code = RunSetup(spelled);
    } else {
      code = RunUninstaller(spelled);
    }
    ASSERT_EQ(code, step.code);

    Files& expected = files[step.folder];
    if (code == kDone && step.run == kUninstall) {
      expected = UninstalledFrom(expected);
      hasEntry[step.folder] = false;
      if (SameName(last, Location(folder.Path()))) last.clear();
    } else if (code == kDone) {
      expected = InstalledOver(expected);
      hasEntry[step.folder] = true;
      last = Location(folder.Path());
      if (&folder == &a) shared.reset();  // taken over by A's own entry
    }
    EXPECT_TRUE(Holds(files[0], ReadFolder(a.Path()))) << "in A";
    EXPECT_TRUE(Holds(files[1], ReadFolder(b.Path()))) << "in B";
    std::vector<std::string> withEntry;
    for (int i : {0, 1})
      if (hasEntry[i]) withEntry.push_back(folders[i]->Path());
    EXPECT_TRUE(EntriesAre(withEntry, shared));
    EXPECT_TRUE(SameName(LastFolder(), last)) << "the last folder is " << LastFolder();
  }
}

TEST_F(SetupTest, UninstallerLeavesAFolderAloneWhoseZuruIsNotOursOrWithoutTheCompiler) {
  const struct {
    std::string name;
    std::function<void(const TestFolder&)> change;  // after the installation
  } cases[] = {
      {"the simulator restored its compiler over ours",
       [](const TestFolder& f) { e2e::WriteFile(f / "ZURU.EXE", kOtherCompiler); }},
      {"zuru2.exe was deleted",
       [](const TestFolder& f) { DeleteFileA((f / "zuru2.exe").c_str()); }},
      {"ours was copied over zuru2.exe",
       [](const TestFolder& f) { e2e::WriteFile(f / "zuru2.exe", kOurs); }},
      {"another maker's file with our product name took its place",
       [](const TestFolder& f) { e2e::WriteFile(f / "ZURU.EXE", kForeign); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestFolder folder;
    WriteFolder(folder.Path(), m_simulator);
    ASSERT_EQ(RunSetup(folder.Path()), kDone);
    c.change(folder);
    const Files before = ReadFolder(folder.Path());
    EXPECT_EQ(RunUninstaller(folder.Path()), kRefused);
    EXPECT_TRUE(Unchanged(before, ReadFolder(folder.Path())));
    EXPECT_TRUE(EntriesAre({folder.Path()}));
    DeleteSetupRegistry();
  }
}

TEST_F(SetupTest, UninstallerRemovesOnlyOurStoredOptionsAndOnlyWhenAsked) {
  for (bool removeOptions : {false, true}) {
    SCOPED_TRACE(removeOptions ? "removing the options" : "keeping the options");
    e2e::DeleteStore();
    e2e::WriteStoreDword("active", 1);
    HKEY neighbour;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\Ostrelle\\Neighbour", &neighbour),
              ERROR_SUCCESS);
    RegCloseKey(neighbour);

    TestFolder folder;
    WriteFolder(folder.Path(), m_simulator);
    ASSERT_EQ(RunSetup(folder.Path()), kDone);
    ASSERT_EQ(RunUninstaller(folder.Path(), removeOptions), kDone);
    EXPECT_EQ(e2e::StoreSectionExists(), !removeOptions);
    HKEY key;
    const bool zuruKeyLeft =
        RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Ostrelle\\ZURU", &key) == ERROR_SUCCESS;
    if (zuruKeyLeft) RegCloseKey(key);
    EXPECT_EQ(zuruKeyLeft, !removeOptions);
    const bool neighbourLeft =
        RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Ostrelle\\Neighbour", &key) == ERROR_SUCCESS;
    if (neighbourLeft) RegCloseKey(key);
    EXPECT_TRUE(neighbourLeft) << "another program's key of the same maker went too";
  }
}

// The temporary names of the setup program and the uninstaller.
const char* const kTemporaryNames[] = {"ZURU.EXE.setup-new", "ZURU.EXE.setup-old",
                                       "zuru-uninstall.exe.setup-new",
                                       "zuru-uninstall.exe.setup-old"};

std::string TemporaryFilesIn(const Files& files) {
  std::string found;
  for (const char* name : kTemporaryNames)
    if (files.count(name)) found += std::string(" ") + name;
  return found;
}

// After a run of the uninstaller over an installed folder: the compiler whole
// and none of our temporary files; the folder completely uninstalled and its
// entry gone (exit 0), or else the run ended with `otherwise` and left the
// folder as `kept`, with its entry.
void ExpectUninstalledOrKept(DWORD code, const std::string& folder, const Files& uninstalled,
                             DWORD otherwise, const Files& kept) {
  const Files after = ReadFolder(folder);
  EXPECT_TRUE(CompilerSurvives(after, kCompiler));
  EXPECT_EQ(TemporaryFilesIn(after), "");
  if (code == kDone) {
    EXPECT_TRUE(Unchanged(uninstalled, after)) << "not completely uninstalled";
    EXPECT_TRUE(EntriesAre({}));
  } else {
    EXPECT_EQ(code, otherwise);
    EXPECT_TRUE(Unchanged(kept, after));
    EXPECT_TRUE(EntriesAre({folder}));
  }
}

// A run killed (or cut by a power failure) between two of its steps leaves the
// folder half done. The next run of the setup program, or of the uninstaller,
// puts it right first and then does its own work: the folder ends whole, the
// compiler byte for byte as it was, and none of our temporary files is left.
TEST_F(SetupTest, ARunCutShortIsPutRightByTheNextRun) {
  const std::string& uninstaller = WrittenUninstaller();
  const std::string kNew = "ZURU.EXE.setup-new";
  const std::string kOld = "ZURU.EXE.setup-old";
  const std::string kNewUninstaller = std::string(kUninstaller) + ".setup-new";
  const std::string kOldUninstaller = std::string(kUninstaller) + ".setup-old";
  const std::string kOlderUninstaller = "MZ the uninstaller of the older build";
  // Each state as the kill left it, on top of the simulator's other files, and
  // with an uninstaller in it how the uninstaller's run ends: uninstalled, or
  // refused where ours had not reached its place.
  const struct {
    std::string name;
    Files files;
    std::optional<DWORD> uninstall = std::nullopt;
  } cases[] = {
      {"install: our copy half in", {{"ZURU.EXE", kCompiler}, {kNew, kOurs.substr(0, 1000)}}},
      {"install: both copies in",
       {{"ZURU.EXE", kCompiler}, {kNew, kOurs}, {kNewUninstaller, uninstaller}}},
      {"install: the uninstaller in place",
       {{"ZURU.EXE", kCompiler}, {kNew, kOurs}, {kUninstaller, uninstaller}},
       kRefused},
      {"install: the compiler renamed, ours not yet in place",
       {{"zuru2.exe", kCompiler}, {kNew, kOurs}, {kUninstaller, uninstaller}},
       kRefused},
      {"install: ours in place, the entry not yet written",
       {{"ZURU.EXE", kOurs}, {"zuru2.exe", kCompiler}, {kUninstaller, uninstaller}},
       kDone},
      {"upgrade: the old uninstaller set aside",
       {{"ZURU.EXE", kOlderOurs},
        {"zuru2.exe", kCompiler},
        {kNew, kOurs},
        {kNewUninstaller, uninstaller},
        {kOldUninstaller, kOlderUninstaller}}},
      {"upgrade: the new uninstaller in place",
       {{"ZURU.EXE", kOlderOurs},
        {"zuru2.exe", kCompiler},
        {kNew, kOurs},
        {kUninstaller, uninstaller},
        {kOldUninstaller, kOlderUninstaller}},
       kDone},
      {"upgrade: the old build set aside, the new one not yet in place",
       {{kOld, kOlderOurs},
        {"zuru2.exe", kCompiler},
        {kNew, kOurs},
        {kUninstaller, uninstaller},
        {kOldUninstaller, kOlderUninstaller}},
       kDone},
      {"upgrade: the new build in place, the old one not yet deleted",
       {{"ZURU.EXE", kOurs},
        {"zuru2.exe", kCompiler},
        {kOld, kOlderOurs},
        {kUninstaller, uninstaller},
        {kOldUninstaller, kOlderUninstaller}},
       kDone},
      {"uninstall: ours set aside, the compiler not yet back",
       {{kOld, kOurs}, {"zuru2.exe", kCompiler}, {kUninstaller, uninstaller}},
       kDone},
      {"uninstall: the compiler back, ours not yet deleted",
       {{"ZURU.EXE", kCompiler}, {kOld, kOurs}, {kUninstaller, uninstaller}},
       kDone},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Files cut = c.files;
    cut["patch.exe"] = kPatch;
    cut["quirtel.ini"] = kQuirtelIni;
    cut["license.txt"] = kSimulatorLicense;

    TestFolder folder;
    WriteFolder(folder.Path(), cut);
    EXPECT_EQ(RunSetup(folder.Path()), kDone);
    const Files afterSetup = ReadFolder(folder.Path());
    EXPECT_TRUE(Installed(m_simulator, afterSetup));
    EXPECT_EQ(TemporaryFilesIn(afterSetup), "");
    EXPECT_TRUE(EntriesAre({folder.Path()}));

    // The same cut in the folder, now with the entry that the run left.
    ASSERT_EQ(c.uninstall.has_value(), cut.count(kUninstaller) == 1);
    if (c.uninstall) {
      EmptyFolder(folder.Path());
      WriteFolder(folder.Path(), cut);
      const DWORD code = RunUninstaller(folder.Path());
      EXPECT_EQ(code, *c.uninstall);
      // Refused: the folder is the simulator's again, with the uninstaller of
      // the cut installation.
      Files simulatorWithUninstaller = m_simulator;
      simulatorWithUninstaller[kUninstaller] = uninstaller;
      ExpectUninstalledOrKept(code, folder.Path(), m_simulator, kRefused, simulatorWithUninstaller);
    }
    DeleteSetupRegistry();
  }
}

// A fault put on a prepared folder for the length of one run.
struct Fault {
  std::string name;
  std::string file;  // in the folder
  enum { kHeldSharingNothing, kHeldAsRunning, kReadOnly } kind;
  DWORD code;  // what Wine gives; the whole-or-nothing check holds for any code
};

DWORD RunWithFault(const Fault& fault, const TestFolder& folder,
                   const std::function<DWORD()>& run) {
  const std::string path = folder / fault.file;
  if (fault.kind == Fault::kReadOnly) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    return run();
  }
  HeldFile held(path, fault.kind == Fault::kHeldAsRunning ? FILE_SHARE_READ : 0);
  return run();
}

TEST_F(SetupTest, InstallingOverALockedOrReadOnlyFileIsWholeOrNothing) {
  // With an uninstaller of its own: a late failure undoes its two renames too.
  const Files upgrade = {
      {"ZURU.EXE", kOlderOurs}, {"zuru2.exe", kCompiler}, {kUninstaller, "MZ old uninstaller"}};
  const struct {
    Fault fault;
    Files files;
  } cases[] = {
      {{"the compiler held, sharing nothing", "ZURU.EXE", Fault::kHeldSharingNothing, kRefused},
       m_simulator},
      {{"the compiler held as a running program", "ZURU.EXE", Fault::kHeldAsRunning, kFailed},
       m_simulator},
      {{"the compiler read-only", "ZURU.EXE", Fault::kReadOnly, kDone}, m_simulator},
      {{"our older ZURU.EXE running", "ZURU.EXE", Fault::kHeldAsRunning, kFailed}, upgrade},
      {{"a file of ours in the way, held", "ZURU.EXE.setup-new", Fault::kHeldSharingNothing,
        kFailed},
       [&] {
         Files files = m_simulator;
         files["ZURU.EXE.setup-new"] = "left over";
         return files;
       }()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault.name);
    TestFolder folder;
    WriteFolder(folder.Path(), c.files);
    const DWORD code = RunWithFault(c.fault, folder, [&] { return RunSetup(folder.Path()); });
    const Files after = ReadFolder(folder.Path());
    EXPECT_EQ(code, c.fault.code);
    EXPECT_TRUE(CompilerSurvives(after, kCompiler));
    ExpectWholeOrNothing(code, folder.Path(), c.files, after);
    DeleteSetupRegistry();
  }
}

// The folder's entry in "Programs and Features" cannot be written (its key
// refuses it): the run fails and is undone, and the entry is as it was before
// the run: the folder's own, whole, over an installation; none (its key, empty,
// deleted) over the simulator's files.
TEST_F(SetupTest, AnEntryThatCannotBeWrittenIsLeftAsItWas) {
  for (const bool hadEntry : {true, false}) {
    SCOPED_TRACE(hadEntry ? "an installation with its entry" : "no entry");
    TestFolder folder;
    WriteFolder(folder.Path(), m_simulator);
    // The name of the folder's entry, from an installation.
    ASSERT_EQ(RunSetup(folder.Path()), kDone);
    const Entries installed = UninstallEntries();
    ASSERT_EQ(installed.size(), 1u);
    const std::string name = installed.begin()->first;
    if (!hadEntry) {
      ASSERT_EQ(RunUninstaller(folder.Path()), kDone);
    }
    const Files before = ReadFolder(folder.Path());
    const Entries entries = UninstallEntries();
    RefuseEntryWrites(name);

    EXPECT_EQ(RunSetup(folder.Path()), kFailed);
    EXPECT_TRUE(Unchanged(before, ReadFolder(folder.Path())));
    EXPECT_EQ(UninstallEntries(), entries);
    DeleteSetupRegistry();
  }
}

TEST_F(SetupTest, UninstallingWithALockedOrReadOnlyFileIsWholeOrNothing) {
  const Fault faults[] = {
      {"our ZURU.EXE running", "ZURU.EXE", Fault::kHeldAsRunning, kFailed},
      {"zuru2.exe held as a running program", "zuru2.exe", Fault::kHeldAsRunning, kFailed},
      {"zuru2.exe held, sharing nothing", "zuru2.exe", Fault::kHeldSharingNothing, kRefused},
      {"our ZURU.EXE read-only", "ZURU.EXE", Fault::kReadOnly, kDone},
      {"zuru2.exe read-only", "zuru2.exe", Fault::kReadOnly, kDone},
  };
  for (const auto& fault : faults) {
    SCOPED_TRACE(fault.name);
    TestFolder folder;
    WriteFolder(folder.Path(), m_simulator);
    ASSERT_EQ(RunSetup(folder.Path()), kDone);
    const Files installed = ReadFolder(folder.Path());
    const DWORD code = RunWithFault(fault, folder, [&] { return RunUninstaller(folder.Path()); });
    EXPECT_EQ(code, fault.code);
    ExpectUninstalledOrKept(code, folder.Path(), m_simulator, fault.code, installed);
    DeleteSetupRegistry();
  }
}

// Our ZURU.EXE really running (the options dialog open): Windows lets a running
// program be renamed but not deleted, so the uninstaller's last step fails
// after both renames, and both are undone: the compiler is zuru2.exe again.
TEST_F(SetupTest, UninstallingWhileOurZuruRunsIsUndoneWhole) {
  TestFolder folder;
  WriteFolder(folder.Path(), m_simulator);
  ASSERT_EQ(RunSetup(folder.Path()), kDone);
  const Files installed = ReadFolder(folder.Path());
  e2e::WriteFile(folder / e2e::kAdventureName, e2e::kSampleAdventure);
  DWORD code = kDone;
  {
    e2e::Process zuru(folder / "ZURU.EXE", e2e::kStartLine, folder.Path());
    e2e::Dialog options = e2e::WaitForOptionsDialog(zuru.Id());
    code = RunUninstaller(folder.Path());
    options.Click(IDCANCEL);
    ASSERT_TRUE(zuru.WaitForExit(e2e::kDefaultTimeoutMs).has_value());
  }
  ExpectUninstalledOrKept(code, folder.Path(), m_simulator, kFailed, installed);
  std::printf("uninstalling while ZURU.EXE runs: exit code %lu\n", code);
}

// The small disk that tests/install/with_small_disk.sh mounts, as a Windows
// path with a trailing backslash; fails the test when there is none.
std::string SmallDisk() {
  const char* disk = std::getenv("ZURU_SMALL_DISK");
  if (disk) return disk;
  const char* why = std::getenv("ZURU_SMALL_DISK_ERROR");
  ADD_FAILURE() << "no small disk for this test: "
                << (why ? why : "run it through tests/install/with_small_disk.sh");
  return "";
}

// The setup program's own temporary folder on a disk that fills up somewhere
// along its run: too full for the setup program to start at all (Windows'
// "Error writing temporary file", exit 2), too full to unpack what it installs
// (exit 3), or roomy enough. Whatever the free space, the simulator's folder is
// installed whole, with our uninstaller whole, or left exactly as it was and
// never written into.
TEST_F(SetupTest, InstallingWithAFillingTemporaryDiskIsWholeOrNothing) {
  const std::string disk = SmallDisk();
  if (disk.empty()) return;
  const std::string temp = disk + "temp";
  CreateDirectoryA(temp.c_str(), nullptr);
  auto installWithFree = [&](unsigned long long free) {
    SCOPED_TRACE(std::to_string(free) + " bytes free for the temporary folder");
    FillDisk(disk + "filler", free);
    TestFolder folder;
    WriteFolder(folder.Path(), m_simulator);
    const unsigned long long written = LastChanged(folder.Path());
    char oldTmp[MAX_PATH] = {}, oldTemp[MAX_PATH] = {};
    GetEnvironmentVariableA("TMP", oldTmp, MAX_PATH);
    GetEnvironmentVariableA("TEMP", oldTemp, MAX_PATH);
    SetEnvironmentVariableA("TMP", temp.c_str());
    SetEnvironmentVariableA("TEMP", temp.c_str());
    const DWORD code = RunSetup(folder.Path());
    SetEnvironmentVariableA("TMP", oldTmp);
    SetEnvironmentVariableA("TEMP", oldTemp);
    DeleteFileA((disk + "filler").c_str());
    std::printf("%llu bytes free: exit code %lu\n", free, code);

    ExpectWholeOrNothing(code, folder.Path(), m_simulator, ReadFolder(folder.Path()));
    // Everything is unpacked before the first step in the folder: a run that
    // met the full disk never wrote there, not even a file it took back.
    if (code != kDone) {
      EXPECT_EQ(LastChanged(folder.Path()), written) << "the run wrote into the folder";
    }
    DeleteSetupRegistry();
    return code;
  };
  constexpr unsigned long long kStep = 32 * 1024;
  std::map<DWORD, int> codes;
  unsigned long long enough = 0;  // the least free space that was enough
  for (unsigned long long free = 0; free <= 1024 * 1024; free += kStep) {
    const DWORD code = installWithFree(free);
    ++codes[code];
    if (code == kDone && enough == 0) enough = free;
  }
  EXPECT_GT(codes[kFailed], 0) << "no run met the full disk while unpacking";
  ASSERT_GT(codes[kDone], 0) << "no run had room enough";

  // Finer through the window where ZURU.EXE is unpacked and the uninstaller
  // then meets the full disk: a cut uninstaller must never reach the folder.
  const unsigned long long window = WrittenUninstaller().size() + kStep;
  std::map<DWORD, int> windowCodes;
  for (unsigned long long free = enough > window ? enough - window : 0; free < enough;
       free += 8 * 1024)
    ++windowCodes[installWithFree(free)];
  EXPECT_GT(windowCodes[kFailed], 0) << "no run met the full disk while unpacking";
}

TEST_F(SetupTest, InstallingOnAFullDiskIsWholeOrNothing) {
  const std::string disk = SmallDisk();
  if (disk.empty()) return;
  const size_t uninstaller = WrittenUninstaller().size();
  const struct {
    std::string name;
    unsigned long long free;
    DWORD code;
  } cases[] = {
      {"no space", 0, kFailed},
      {"space for half of ZURU.EXE", kOurs.size() / 2, kFailed},
      {"space for ZURU.EXE, not for the uninstaller", kOurs.size() + uninstaller / 2, kFailed},
      {"space for everything", kOurs.size() + uninstaller + 64 * 1024, kDone},
  };
  const std::string& root = disk;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string folder = root + "simulator\\";
    WriteFolder(folder, m_simulator);
    FillDisk(root + "filler", c.free);
    const unsigned long long free = FreeBytes(root);
    EXPECT_LE(free, c.free + 8192) << "the disk could not be filled";
    const DWORD code = RunSetup(folder);
    const Files after = ReadFolder(folder);
    std::printf("%s: %llu bytes free, exit code %lu\n", c.name.c_str(), free, code);
    EXPECT_EQ(code, c.code);
    EXPECT_TRUE(CompilerSurvives(after, kCompiler));
    ExpectWholeOrNothing(code, folder, m_simulator, after);

    EmptyFolder(folder);
    RemoveDirectoryA(folder.c_str());
    DeleteFileA((root + "filler").c_str());
    DeleteSetupRegistry();
  }
}

}  // namespace
}  // namespace setup
