// Hostile input to the real ZURU.EXE: command lines and paths far beyond the
// program's usual sizes, bytes above 127, a runway file with a 100,000-character
// line, and settings of the wrong registry type or size. Whatever comes in, the
// program must not crash or hang, and must do what it does with ordinary input
// or take a safe way out.
#include <cstdio>
#include <string>
#include <vector>

#include "driver/dialog.h"
#include "driver/files.h"
#include "driver/store.h"
#include "zuru_e2e.h"

namespace e2e {
namespace {

constexpr const char* kRunwaysCaption = "Runways";
constexpr const char* kRunwayFile = "quirtel.ini";

class HostileTest : public ZuruTest {
 protected:
  // The run ends, and ends cleanly: a crash would end it with an exception code.
  static void ExpectCleanEnd(ZuruSession& session) {
    const std::optional<DWORD> code = session.WaitForExit();
    ASSERT_TRUE(code.has_value()) << "ZURU.EXE did not end";
    EXPECT_EQ(*code, 0u) << "ZURU.EXE ended abnormally";
  }

  static Dialog OpenRunways(ZuruSession& session, const Dialog& options) {
    options.SetCheck(IDC_ACTIVE, true);
    options.PostClick(IDC_RUNWAYS);
    return WaitForDialogCaption(session.Program().Id(), kRunwaysCaption);
  }

  static void CloseWith(const Dialog& dialog, int button) {
    dialog.Click(button);
    ASSERT_TRUE(WaitUntil([&] { return !dialog.IsOpen(); })) << "the dialog stayed open";
  }
};

TEST_F(HostileTest, CommandLineOf32000CharactersIsHandedOverWhole) {
  std::string line = "ZURU.EXE -E C:\\";
  const std::string tail = "\\EDDFKJFK.TXT";
  line += std::string(32000 - line.size() - tail.size(), 'A') + tail;
  ASSERT_EQ(line.size(), 32000u);
  for (bool quirtel : {false, true}) {
    SCOPED_TRACE(quirtel ? "patch.exe" : "zuru2.exe");
    ZuruSession session;
    Dialog options = StartOverStore(session, {{"active", quirtel ? 1u : 0u}}, line);
    CreateAdventure(options);

    // The stand-in echoes the whole line to its console, which takes Wine a
    // good many seconds at this length: wait for its end beyond the usual deadline.
    ASSERT_TRUE(WaitUntil([&] { return session.StubEnded(); }, Deadline(120000)));
    ASSERT_NO_FATAL_FAILURE(ExpectEndAfterStub(session));
    const std::vector<StubRun> runs = session.StubRuns();
    ASSERT_EQ(runs.size(), 1u);
    if (quirtel) {
      // The line whole, then the switches.
      const std::string whole = HandedOver("patch.exe", line);
      EXPECT_EQ(runs[0].commandLine.substr(0, whole.size()), whole);
      EXPECT_EQ(runs[0].commandLine.compare(whole.size(), 7, " -CREW "), 0);
      EXPECT_EQ(runs[0].commandLine.substr(runs[0].commandLine.size() - 12), " -VELMORAWAV");
    } else {
      EXPECT_EQ(runs[0].commandLine, HandedOver("zuru2.exe", line));
    }
  }
}

TEST_F(HostileTest, AdventurePathOf1000CharactersNamesItsAirportsAndFile) {
  // 1,000 characters that still name the adventure in the current folder: the
  // airports come from the base name whatever stands before it.
  std::string path;
  for (int i = 0; i < 494; ++i) path += ".\\";
  path += kAdventureName;
  ASSERT_EQ(path.size(), 1000u);

  ZuruSession session;
  session.Start("ZURU.EXE -E " + path);
  Dialog options = session.Options();
  Dialog runways = OpenRunways(session, options);
  EXPECT_EQ(runways.Text(IDC_FIRST_GROUP), "[EDDF]");
  EXPECT_EQ(runways.Text(IDC_SECOND_GROUP), "[KJFK]");
  ASSERT_NO_FATAL_FAILURE(CloseWith(runways, IDCANCEL));

  options.Click(IDCANCEL);
  ASSERT_NO_FATAL_FAILURE(ExpectCleanEnd(session));
  // Deleting through so long a name may be refused by the system; either way
  // nothing but the adventure file may go.
  EXPECT_TRUE(FileExists(session.PathOf("ZURU.EXE")));
  EXPECT_TRUE(FileExists(session.PathOf("zuru2.exe")));
  std::printf("the adventure file %s after Cancel\n",
              session.AdventureExists() ? "is still there" : "was deleted");
}

TEST_F(HostileTest, RunwayFileLineOf100000CharactersIsCopiedUnchanged) {
  std::string longLine;
  while (longLine.size() < 100000) longLine += "0123456789 runway notes (LOWW) ";
  longLine.resize(100000);
  const std::string file = longLine + "\n" +  // before the first header, with a lone LF
                           "[LOWW]\r\n" + longLine + "\r\n16 (109.70)\r\n" +
                           "[EDDF]\r\n07L (no ILS/only TO)\r\n" + "[KJFK]\r\n04L (110.90)\r\n" +
                           "[EGLL]\r\n" + longLine + "\r\n";
  ZuruSession session;
  ASSERT_TRUE(WriteFile(session.PathOf(kRunwayFile), file));
  session.Start(kStartLine);
  Dialog options = session.Options();
  Dialog runways = OpenRunways(session, options);
  EXPECT_EQ(runways.ListRows(IDC_FIRST_LIST), std::vector<std::string>{"07L (no ILS/only TO)"});
  EXPECT_EQ(runways.ListRows(IDC_SECOND_LIST), std::vector<std::string>{"04L (110.90)"});
  ASSERT_NO_FATAL_FAILURE(CloseWith(runways, IDOK));

  EXPECT_EQ(ReadFile(session.PathOf(kRunwayFile)),
            longLine + "\r\n[LOWW]\r\n" + longLine + "\r\n16 (109.70)\r\n[EGLL]\r\n" + longLine +
                "\r\n[EDDF]\r\n07L (no ILS/only TO)\r\n[KJFK]\r\n04L (110.90)\r\n");
  EXPECT_FALSE(FileExists(session.PathOf("quirtel.in2")));
  ASSERT_NO_FATAL_FAILURE(CancelRun(session, options));
}

// In the ANSI code page the program runs in; the upper-casing leaves them alone.
const std::string kFolderAbove127 = "\xC4rger \xE9t\xE9";  // "Ärger été"
const std::string kAdventureAbove127 =
    "\xE4"
    "DDFKJFK.TXT";  // "äDDFKJFK.TXT"

TEST_F(HostileTest, BytesAbove127InThePathPassThroughUnchanged) {
  {
    ZuruSession session;
    const std::string folder = session.PathOf(kFolderAbove127);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string adventure = folder + "\\" + kAdventureAbove127;
    ASSERT_TRUE(WriteFile(adventure, kSampleAdventure));
    session.Start("ZURU.EXE -E " + adventure);
    Dialog options = session.Options();
    Dialog runways = OpenRunways(session, options);
    EXPECT_EQ(runways.Text(IDC_FIRST_GROUP),
              "[\xE4"
              "DDF]");
    EXPECT_EQ(runways.Text(IDC_SECOND_GROUP), "[KJFK]");
    ASSERT_NO_FATAL_FAILURE(CloseWith(runways, IDOK));
    EXPECT_EQ(ReadFile(session.PathOf(kRunwayFile)),
              "[\xE4"
              "DDF]\r\n[KJFK]\r\n");

    // Cancel deletes the file named by the upper-cased path: the same file.
    options.Click(IDCANCEL);
    ASSERT_NO_FATAL_FAILURE(ExpectCleanEnd(session));
    EXPECT_FALSE(FileExists(adventure));
  }
  {
    ZuruSession session;
    const std::string line =
        "ZURU.EXE -E " + session.PathOf(kFolderAbove127) + "\\" + kAdventureAbove127 + " \xA7\xFF";
    session.Start(line);
    CreateAdventure(session.Options());
    ASSERT_NO_FATAL_FAILURE(ExpectEndAfterStub(session));
    const std::vector<StubRun> runs = session.StubRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].commandLine, HandedOver("zuru2.exe", line));
  }
}

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

TEST_F(HostileTest, SettingsOfAnotherTypeOrSizeAreReadByTheirBytesAndStoredBackAsDwords) {
  // Up to four bytes are taken as a little-endian number whatever the type;
  // longer values give the default.
  WriteStoreValue("nocrew", REG_BINARY, Bytes({1}));
  WriteStoreValue("heavy", REG_SZ, std::string("1", 2));     // 0x31: not a check state
  WriteStoreValue("maxtime", REG_SZ, std::string("12", 3));  // 0x3231 = 12849
  WriteStoreValue("enroutealt", REG_BINARY, Bytes({0xC2, 1, 0, 0, 0, 0, 0, 0}));
  WriteStoreValue("traffic", REG_QWORD, Bytes({50, 0, 0, 0, 0, 0, 0, 0}));
  WriteStoreValue("chkspd", REG_SZ, std::string(1000, '1') + std::string(1, '\0'));
  WriteStoreValue("noaltcall", REG_DWORD_BIG_ENDIAN, Bytes({0, 0, 0, 1}));

  ZuruSession session;
  session.Start(kStartLine);
  Dialog options = session.Options();
  EXPECT_TRUE(options.Checked(IDC_NOCREW));
  EXPECT_FALSE(options.Checked(IDC_HEAVY));
  EXPECT_EQ(options.Text(IDC_MAXTIME), "12849");
  EXPECT_EQ(options.Text(IDC_ENROUTEALT), "420");
  EXPECT_EQ(options.TrackPos(IDC_TRAFFIC), 0);
  EXPECT_FALSE(options.Checked(IDC_CHKSPD));
  EXPECT_FALSE(options.Checked(IDC_NOALTCALL));

  CreateAdventure(options);
  ASSERT_NO_FATAL_FAILURE(ExpectEndAfterStub(session));
  EXPECT_TRUE(StoreHolds(StoreAfterCreate({{"nocrew", 1}, {"maxtime", 12849}})));
}

}  // namespace
}  // namespace e2e
