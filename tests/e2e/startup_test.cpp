// Start-up: which command lines open the options dialog, which end the program
// at once, and what becomes of the adventure file on Cancel.
#include "zuru_e2e.h"

#include "zuru_version.h"  // generated: the version the build gives ZURU.EXE

namespace e2e {
namespace {

constexpr const char* kShortAdventure = "X.TXT";
constexpr const char* kShortContent = "adventure text\r\n";

class StartupTest : public ZuruTest {};

// What Windows shows of the program, and how a setup tells it apart: the
// build's version numbers (project(VERSION) in CMakeLists.txt) and the file
// name "ZURU.EXE".
TEST(VersionRecordTest, NamesTheBuildsVersionAndTheFileName) {
  constexpr WORD kNumbers[] = {ZURU_VERSION_NUMBERS};
  static_assert(sizeof kNumbers / sizeof kNumbers[0] == 4, "four version numbers");
  const std::string exe = ZuruExePath();
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &handle);
  ASSERT_GT(size, 0u) << "no version record";
  std::vector<char> record(size);
  ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, record.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(kNumbers[1], kNumbers[0]));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(kNumbers[3], kNumbers[2]));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(kNumbers[1], kNumbers[0]));
  EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(kNumbers[3], kNumbers[2]));

  struct Translation {
    WORD language, codePage;
  }* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(record.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_GE(length, sizeof *translation);
  char key[64];
  std::snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\OriginalFilename",
                translation->language, translation->codePage);
  char* name = nullptr;
  ASSERT_TRUE(VerQueryValueA(record.data(), key, reinterpret_cast<void**>(&name), &length));
  EXPECT_STREQ(name, "ZURU.EXE");
}

TEST_F(StartupTest, WithoutAnAdventureFileEndsAtOnceTouchingNothing) {
  const std::vector<std::string> lines = {
      "ZURU.EXE",
      "ZURU.EXE ",
      "ZURU.EXE /E X.TXT",
      "ZURU.EXE -E",
      "ZURU.EXE -E   ",
      // The search starts one character after the closing quote: this -E is missed.
      "\"C:\\a b\\ZURU.EXE\"-E X.TXT",
  };
  for (const std::string& line : lines) {
    SCOPED_TRACE("command line: [" + line + "]");
    ZuruSession session;
    WriteFile(session.PathOf(kShortAdventure), kShortContent);
    session.Start(line);
    bool windowSeen = false;
    ASSERT_TRUE(WaitUntil([&] {
      windowSeen = windowSeen || HasVisibleWindow(session.Program().Id());
      return session.Program().HasExited();
    })) << "ZURU.EXE did not end by itself";
    EXPECT_FALSE(windowSeen);
    EXPECT_FALSE(CompanyKeyExists()) << "the settings store was touched";
    EXPECT_EQ(ReadFile(session.PathOf(kShortAdventure)), kShortContent);
    EXPECT_TRUE(session.StubRuns().empty());
  }
}

struct FoundCase {
  std::string line;
  std::string fileOnDisk;
  bool deletedOnCancel;
};

const std::vector<FoundCase> kFoundCases = {
    {"ZURU.EXE -e x.txt", "x.txt", true},
    {"\"C:\\a b\\ZURU.EXE\" -E X.TXT", "X.TXT", true},
    // An unmatched quote: the program name ends at the first space.
    {"\"ZURU.EXE -E X.TXT", "X.TXT", true},
    {"ZURU.EXE -EX.TXT", "X.TXT", true},
    // The quotes become part of the name, which then names no file.
    {"ZURU.EXE -E \"X.TXT\"", "X.TXT", false},
};

TEST_F(StartupTest, CancelDeletesTheAdventureFileAndStoresNothing) {
  for (const FoundCase& found : kFoundCases) {
    SCOPED_TRACE("command line: [" + found.line + "]");
    DeleteStore();
    ZuruSession session;
    WriteFile(session.PathOf(found.fileOnDisk), kShortContent);
    session.Start(found.line);
    Dialog dialog = session.Options();

    ASSERT_NO_FATAL_FAILURE(CancelRun(session, dialog));
    EXPECT_NE(FileExists(session.PathOf(found.fileOnDisk)), found.deletedOnCancel);
    EXPECT_TRUE(StoreSectionExists());
    EXPECT_TRUE(ReadStore().empty()) << "Cancel wrote to the settings store";
    EXPECT_TRUE(session.StubRuns().empty());
  }
}

TEST_F(StartupTest, TheCompilerGetsTheCommandLineAsReceived) {
  for (const FoundCase& found : kFoundCases) {
    SCOPED_TRACE("command line: [" + found.line + "]");
    ZuruSession session;
    WriteFile(session.PathOf(found.fileOnDisk), kShortContent);
    session.Start(found.line);
    CreateAdventure(session.Options());

    ASSERT_NO_FATAL_FAILURE(ExpectEndAfterStub(session));
    std::vector<StubRun> runs = session.StubRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].program, "zuru2");
    EXPECT_EQ(runs[0].commandLine, HandedOver("zuru2.exe", found.line));
    EXPECT_TRUE(FileExists(session.PathOf(found.fileOnDisk)));
  }
}

}  // namespace
}  // namespace e2e
