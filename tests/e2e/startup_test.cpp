// Start-up: which command lines open the options dialog, which end the program
// at once, and what becomes of the adventure file on Cancel; and what Windows
// reads from the file before it starts the program (version record, manifest).
#include "zuru_e2e.h"

#include <cctype>

#include "zuru_version.h"  // generated: the version the build gives ZURU.EXE

namespace e2e {
namespace {

constexpr const char* kShortAdventure = "X.TXT";
constexpr const char* kShortContent = "adventure text\r\n";

class StartupTest : public ZuruTest {};

std::vector<char> VersionRecord(const std::string& exe) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &handle);
  std::vector<char> record(size);
  if (size == 0 || !GetFileVersionInfoA(exe.c_str(), 0, size, record.data())) record.clear();
  return record;
}

// A string of the record's first translation; "" when it has none of that name.
std::string VersionString(std::vector<char>& record, const char* name) {
  struct Translation {
    WORD language, codePage;
  }* translation = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(record.data(), "\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translation), &length) ||
      length < sizeof *translation) {
    return "";
  }
  char key[96];
  std::snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\%s", translation->language,
                translation->codePage, name);
  char* text = nullptr;
  if (!VerQueryValueA(record.data(), key, reinterpret_cast<void**>(&text), &length)) return "";
  return text;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// What Windows shows of the program, and how a setup tells it apart: the
// build's version numbers (project(VERSION) in CMakeLists.txt) and the file
// name "ZURU.EXE".
TEST(VersionRecordTest, NamesTheBuildsVersionAndTheFileName) {
  constexpr WORD kNumbers[] = {ZURU_VERSION_NUMBERS};
  static_assert(sizeof kNumbers / sizeof kNumbers[0] == 4, "four version numbers");
  std::vector<char> record = VersionRecord(ZuruExePath());
  ASSERT_FALSE(record.empty()) << "no version record";

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(kNumbers[1], kNumbers[0]));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(kNumbers[3], kNumbers[2]));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(kNumbers[1], kNumbers[0]));
  EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(kNumbers[3], kNumbers[2]));
  EXPECT_EQ(VersionString(record, "OriginalFilename"), "ZURU.EXE");
}

// Windows from Vista on shows a protected folder (Program Files) to a 32-bit
// program whose manifest requests no execution level through the user's
// VirtualStore copy, as it does to the simulator and its compiler: ZURU.EXE must
// see the runway file and the adventure where they do. Such a program whose
// manifest or version record holds an installer's word gets the elevation
// prompt instead, and then sees the real folder.
TEST(ManifestTest, RequestsNoExecutionLevelAndNamesNoInstallersWord) {
  const char* const kInstallerWords[] = {"install", "setup", "update", "patch"};
  HMODULE exe = LoadLibraryExA(ZuruExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(exe, nullptr) << GetLastError();
  std::string manifest;
  if (HRSRC found = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24))) {  // RT_MANIFEST
    manifest.assign(static_cast<const char*>(LockResource(LoadResource(exe, found))),
                    SizeofResource(exe, found));
  }
  FreeLibrary(exe);
  ASSERT_FALSE(manifest.empty()) << "no manifest";
  SCOPED_TRACE(manifest);

  const std::string lower = Lower(manifest);
  EXPECT_EQ(lower.find("<requestedexecutionlevel"), std::string::npos);
  EXPECT_EQ(lower.find("<trustinfo"), std::string::npos);
  // What it keeps: the common controls, the systems it names, DPI awareness.
  EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
            std::string::npos);
  EXPECT_NE(manifest.find("<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"),
            std::string::npos);
  EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);

  std::vector<char> record = VersionRecord(ZuruExePath());
  ASSERT_FALSE(record.empty()) << "no version record";
  std::vector<std::string> texts = {lower};
  for (const char* name : {"CompanyName", "FileDescription", "FileVersion", "InternalName",
                           "LegalCopyright", "OriginalFilename", "ProductName", "ProductVersion"}) {
    texts.push_back(Lower(VersionString(record, name)));
  }
  for (const std::string& text : texts) {
    for (const char* word : kInstallerWords) {
      EXPECT_EQ(text.find(word), std::string::npos) << "\"" << word << "\" in: " << text;
    }
  }
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
