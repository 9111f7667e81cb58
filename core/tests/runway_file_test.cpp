#include "core/runway_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "scratch_directory.h"

namespace {

using Rows = std::vector<std::string>;

const std::string kFirst = "[EDDF]";
const std::string kSecond = "[KJFK]";

const std::string k254(254, 'a');
const std::string k300 = std::string(254, 'b') + std::string(46, 'c');

// The example runway file, with line ends `nl`.
std::string ExampleFile(const std::string& nl) {
  return "[LOWW]" + nl + "16 (109.70)" + nl + "[EDDF]" + nl + "07L (no ILS/only TO)" + nl +
         "25R (110.30/only landing)" + nl + "[KJFK]" + nl + "04L (110.90)" + nl;
}

class RunwayFileTest : public ::testing::Test {
 protected:
  ScratchDirectory dir;
  const std::string ini = dir.File("quirtel.ini");
  const std::string twin = dir.File("quirtel.in2");

  bool Save(const Rows& first, const Rows& second) {
    return WriteRunwayFile(kFirst, kSecond, first, second, ReplaceForTests, ini, twin);
  }
  RunwayLists Load() { return ReadRunwayFile(kFirst, kSecond, ini); }
};

struct ReadCase {
  const char* what;
  std::string file;
  Rows first;
  Rows second;
};

TEST_F(RunwayFileTest, ReadsTheTwoAirportsSections) {
  const ReadCase cases[] = {
      {"example with CRLF",
       ExampleFile("\r\n"),
       {"07L (no ILS/only TO)", "25R (110.30/only landing)"},
       {"04L (110.90)"}},
      {"example with lone LF",
       ExampleFile("\n"),
       {"07L (no ILS/only TO)", "25R (110.30/only landing)"},
       {"04L (110.90)"}},
      {"mixed line ends", "[EDDF]\n09\r\n27\n[KJFK]\r\n04\n", {"09", "27"}, {"04"}},
      {"empty file", "", {}, {}},
      {"header followed by a comment", "[EDDF] ; main airport\r\n09\r\n", {"09"}, {}},
      {"lower-case header is another airport", "[eddf]\r\n09\r\n", {}, {}},
      {"longer code is another airport", "[EDDFX]\r\n09\r\n", {}, {}},
      {"blank line is an empty row", "[EDDF]\r\n\r\n09\r\n", {"", "09"}, {}},
      {"300-character line is two rows",
       "[EDDF]\r\n" + k300 + "\r\n",
       {std::string(254, 'b'), std::string(46, 'c')},
       {}},
      {"254-character line takes its line end",
       "[EDDF]\r\n" + k254 + "\r\n09\r\n",
       {k254, "09"},
       {}},
      {"254-character line takes a lone LF", "[EDDF]\n" + k254 + "\n09\n", {k254, "09"}, {}},
      {"255-character line", "[EDDF]\r\n" + k254 + "z\r\n", {k254, "z"}, {}},
      {"508-character line is exactly two rows",
       "[EDDF]\r\n" + k254 + k254 + "\r\n09\r\n",
       {k254, k254, "09"},
       {}},
      {"last line without line end", "[EDDF]\r\n09\r\n27R (110.30)", {"09", "27R (110.30)"}, {}},
      {"lone CR is an ordinary character", "[EDDF]\r\na\rb\r\nc\r", {"a\rb", "c\r"}, {}},
      {"any [ line ends a section", "[EDDF]\r\n09\r\n[note\r\n27\r\n", {"09"}, {}},
      {"lines before the first header are not loaded",
       "; runways\r\n09\r\n[KJFK]\r\n04\r\n",
       {},
       {"04"}},
      {"sections in any order, a section twice",
       "[KJFK]\nk1\n[EDDF]\ne1\n[LOWW]\nl1\n[KJFK]\nk2\n",
       {"e1"},
       {"k1", "k2"}},
      {"a piece that begins with [ counts as a line",
       "[EDDF]\r\n" + k254 + "[LOWW]\r\n09\r\n",
       {k254},
       {}},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    const RunwayLists fromText = ReadRunwayText(kFirst, kSecond, c.file);
    EXPECT_EQ(fromText.first, c.first);
    EXPECT_EQ(fromText.second, c.second);
    // The file layer hands over the bytes as they are, on every platform.
    WriteBytes(ini, c.file);
    const RunwayLists fromFile = Load();
    EXPECT_EQ(fromFile.first, c.first);
    EXPECT_EQ(fromFile.second, c.second);
  }
}

TEST_F(RunwayFileTest, EqualHeadersLoadEverythingIntoTheFirstList) {
  WriteBytes(ini, "[EDDF]\r\na\r\n[EDDF]\r\nb\r\n");
  const RunwayLists lists = ReadRunwayFile(kFirst, kFirst, ini);
  EXPECT_EQ(lists.first, (Rows{"a", "b"}));
  EXPECT_TRUE(lists.second.empty());
}

TEST_F(RunwayFileTest, MissingOrUnreadableFileGivesEmptyLists) {
  RunwayLists lists = Load();
  EXPECT_TRUE(lists.first.empty());
  EXPECT_TRUE(lists.second.empty());

  std::filesystem::create_directory(ini);
  lists = Load();
  EXPECT_TRUE(lists.first.empty());
  EXPECT_TRUE(lists.second.empty());
}

struct WriteCase {
  const char* what;
  std::optional<std::string> old;  // nothing: no runway file yet
  Rows first;
  Rows second;
  std::string expected;
};

TEST_F(RunwayFileTest, WritesOtherLinesThenTheTwoSections) {
  const WriteCase cases[] = {
      {"no runway file",
       std::nullopt,
       {"07L"},
       {"04L (110.90)"},
       "[EDDF]\r\n07L\r\n[KJFK]\r\n04L (110.90)\r\n"},
      {"example: sections move to the end",
       ExampleFile("\r\n"),
       {"07L", "25R"},
       {"04L"},
       "[LOWW]\r\n16 (109.70)\r\n[EDDF]\r\n07L\r\n25R\r\n[KJFK]\r\n04L\r\n"},
      {"lines before the first header stay at the top",
       "; runways\r\n[KJFK]\r\n04L\r\n[LOWW]\r\n16\r\n",
       {},
       {"04L"},
       "; runways\r\n[LOWW]\r\n16\r\n[EDDF]\r\n[KJFK]\r\n04L\r\n"},
      {"header with a comment is replaced by a bare one",
       "[EDDF] ; main\r\n09\r\n",
       {"09"},
       {},
       "[EDDF]\r\n09\r\n[KJFK]\r\n"},
      {"lower-case header is copied",
       "[eddf]\r\n09\r\n",
       {},
       {},
       "[eddf]\r\n09\r\n[EDDF]\r\n[KJFK]\r\n"},
      {"longer code is copied",
       "[EDDFX]\r\n09\r\n",
       {},
       {},
       "[EDDFX]\r\n09\r\n[EDDF]\r\n[KJFK]\r\n"},
      {"blank row is an empty line",
       std::nullopt,
       {"", "09"},
       {},
       "[EDDF]\r\n\r\n09\r\n[KJFK]\r\n"},
      {"long line elsewhere copied byte for byte",
       "[LOWW]\r\n" + k300 + "\r\n" + k254 + "\r\n",
       {},
       {},
       "[LOWW]\r\n" + k300 + "\r\n" + k254 + "\r\n[EDDF]\r\n[KJFK]\r\n"},
      {"long line in a section is replaced by the rows",
       "[EDDF]\r\n" + k300 + "\r\n",
       {"09"},
       {},
       "[EDDF]\r\n09\r\n[KJFK]\r\n"},
      {"lone LF becomes CRLF", "[LOWW]\n16\n", {}, {}, "[LOWW]\r\n16\r\n[EDDF]\r\n[KJFK]\r\n"},
      {"lone CR is copied as it is", "a\rb\r\n", {}, {}, "a\rb\r\n[EDDF]\r\n[KJFK]\r\n"},
      {"both lists empty",
       ExampleFile("\r\n"),
       {},
       {},
       "[LOWW]\r\n16 (109.70)\r\n[EDDF]\r\n[KJFK]\r\n"},
      {"[ line without ] inside a section is kept with what follows",
       "[EDDF]\r\n09\r\n[note\r\nkeep\r\n",
       {"27"},
       {},
       "[note\r\nkeep\r\n[EDDF]\r\n27\r\n[KJFK]\r\n"},
      {"copied last line without line end gets one",
       "[LOWW]\r\n16",
       {},
       {"04"},
       "[LOWW]\r\n16\r\n[EDDF]\r\n[KJFK]\r\n04\r\n"},
      {"copied last line ending in CR",
       "[LOWW]\r\n16\r",
       {},
       {},
       "[LOWW]\r\n16\r\r\n[EDDF]\r\n[KJFK]\r\n"},
      {"copied piece cut off by a dropped one",
       "[LOWW]\r\n" + k254 + "[EDDF]\r\n09\r\n",
       {},
       {},
       "[LOWW]\r\n" + k254 + "\r\n[EDDF]\r\n[KJFK]\r\n"},
      {"line end inside a row is written as CRLF",
       std::nullopt,
       {"a\nb"},
       {},
       "[EDDF]\r\na\r\nb\r\n[KJFK]\r\n"},
      {"empty old file", "", {}, {}, "[EDDF]\r\n[KJFK]\r\n"},
      {"blank lines outside the sections are copied, each one",
       "\r\n; top\n\n[LOWW]\r\n\r\n16\r\n\n\r\n[EDDF]\r\n\r\n09\r\n[EGLL]\n\n27\r\n\r\n\n",
       {"09"},
       {},
       "\r\n; top\r\n\r\n[LOWW]\r\n\r\n16\r\n\r\n\r\n[EGLL]\r\n\r\n27\r\n\r\n\r\n"
       "[EDDF]\r\n09\r\n[KJFK]\r\n"},
      {"file of blank lines only", "\r\n\n\r\n", {}, {}, "\r\n\r\n\r\n[EDDF]\r\n[KJFK]\r\n"},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.what);
    // No runway file gives the file layer no bytes, as an empty one does.
    EXPECT_EQ(WriteRunwayText(kFirst, kSecond, c.first, c.second, c.old.value_or("")), c.expected);
    std::filesystem::remove(ini);
    if (c.old) WriteBytes(ini, *c.old);
    ASSERT_TRUE(Save(c.first, c.second));
    EXPECT_EQ(ReadBytes(ini), c.expected);
    EXPECT_FALSE(FileExists(twin));
  }
}

TEST_F(RunwayFileTest, EqualHeadersWriteTwoSectionsThatLoadIntoTheFirstList) {
  ASSERT_TRUE(WriteRunwayFile(kFirst, kFirst, {"a"}, {"b"}, ReplaceForTests, ini, twin));
  EXPECT_EQ(ReadBytes(ini), "[EDDF]\r\na\r\n[EDDF]\r\nb\r\n");
  EXPECT_EQ(ReadRunwayFile(kFirst, kFirst, ini).first, (Rows{"a", "b"}));
}

TEST_F(RunwayFileTest, SavedRowsReadBackUnchanged) {
  const Rows first = {"", "07L (no ILS/only TO)", k254, std::string(253, 'x'), "a\rb"};
  const Rows second = {"04L (110.90)", k254, k254};
  WriteBytes(ini, ExampleFile("\n") + "; trailing comment");
  ASSERT_TRUE(Save(first, second));
  const RunwayLists lists = Load();
  EXPECT_EQ(lists.first, first);
  EXPECT_EQ(lists.second, second);
}

TEST_F(RunwayFileTest, SavingTwiceGivesTheSameFile) {
  WriteBytes(ini, "top\n[EDDF] x\n09\n[LOWW]\n" + k300 + "\n[KJFK]\n04\n[note\n27");
  ASSERT_TRUE(Save({"09", "27"}, {"04"}));
  const std::string once = ReadBytes(ini);
  const RunwayLists lists = Load();
  ASSERT_TRUE(Save(lists.first, lists.second));
  EXPECT_EQ(ReadBytes(ini), once);
}

TEST_F(RunwayFileTest, OverwritesALeftoverTwin) {
  WriteBytes(twin, std::string(1000, 'z'));
  ASSERT_TRUE(Save({"09"}, {}));
  EXPECT_EQ(ReadBytes(ini), "[EDDF]\r\n09\r\n[KJFK]\r\n");
  EXPECT_FALSE(FileExists(twin));
}

bool FailingReplace(const char*, const char*) { return false; }

TEST_F(RunwayFileTest, FailedReplaceKeepsTheOldFileAndRemovesTheTwin) {
  const std::string old = ExampleFile("\n");
  WriteBytes(ini, old);
  EXPECT_FALSE(WriteRunwayFile(kFirst, kSecond, {"09"}, {}, FailingReplace, ini, twin));
  EXPECT_EQ(ReadBytes(ini), old);
  EXPECT_FALSE(FileExists(twin));

  EXPECT_FALSE(WriteRunwayFile(kFirst, kSecond, {"09"}, {}, nullptr, ini, twin));
  EXPECT_EQ(ReadBytes(ini), old);
  EXPECT_FALSE(FileExists(twin));

  std::filesystem::remove(ini);
  EXPECT_FALSE(WriteRunwayFile(kFirst, kSecond, {"09"}, {}, FailingReplace, ini, twin));
  EXPECT_FALSE(FileExists(ini));
  EXPECT_FALSE(FileExists(twin));
}

// What reaches the disk, in order: the twin's bytes are made durable before the
// replace puts the twin in place, and a twin that cannot be made durable never
// replaces the old file.
std::vector<std::string> g_steps;
std::string g_twinAtSync;

bool RecordingSync(std::FILE* file) {
  g_steps.push_back("sync");
  std::fseek(file, 0, SEEK_END);
  g_twinAtSync = std::to_string(std::ftell(file)) + " bytes";
  return true;
}
bool FailingSync(std::FILE*) {
  g_steps.push_back("sync");
  return false;
}
bool RecordingReplace(const char* from, const char* to) {
  g_steps.push_back("replace");
  return ReplaceForTests(from, to);
}

TEST_F(RunwayFileTest, TheTwinIsOnTheDiskBeforeItReplacesTheFile) {
  const std::string old = ExampleFile("\r\n");
  WriteBytes(ini, old);
  g_steps.clear();
  ASSERT_TRUE(
      WriteRunwayFile(kFirst, kSecond, {"09"}, {}, RecordingReplace, ini, twin, RecordingSync));
  EXPECT_EQ(g_steps, (std::vector<std::string>{"sync", "replace"}));
  EXPECT_EQ(g_twinAtSync, std::to_string(ReadBytes(ini).size()) + " bytes")
      << "synced before the whole text was written";

  g_steps.clear();
  const std::string saved = ReadBytes(ini);
  EXPECT_FALSE(
      WriteRunwayFile(kFirst, kSecond, {"27"}, {}, RecordingReplace, ini, twin, FailingSync));
  EXPECT_EQ(g_steps, (std::vector<std::string>{"sync"}));
  EXPECT_EQ(ReadBytes(ini), saved);
  EXPECT_FALSE(FileExists(twin));
}

TEST_F(RunwayFileTest, TwinThatCannotBeCreatedLeavesEverythingAsItWas) {
  const std::string old = ExampleFile("\r\n");
  WriteBytes(ini, old);
  std::filesystem::create_directory(twin);
  EXPECT_FALSE(Save({"09"}, {}));
  EXPECT_EQ(ReadBytes(ini), old);
  EXPECT_TRUE(std::filesystem::is_directory(twin));  // not ours to remove
}

TEST_F(RunwayFileTest, UnreadableRunwayFileIsNotReplaced) {
  std::filesystem::create_directory(ini);
  EXPECT_FALSE(Save({"09"}, {}));
  EXPECT_TRUE(std::filesystem::is_directory(ini));
  EXPECT_FALSE(FileExists(twin));
}

#ifndef _WIN32
TEST_F(RunwayFileTest, WriteErrorKeepsTheOldFile) {
  if (!FileExists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const std::string old = ExampleFile("\r\n");
  WriteBytes(ini, old);
  std::filesystem::create_symlink("/dev/full", twin);
  EXPECT_FALSE(Save({"09"}, {"04"}));
  EXPECT_EQ(ReadBytes(ini), old);
  EXPECT_FALSE(std::filesystem::is_symlink(twin));
}

TEST(ReplaceForTests, ReplacesAnExistingFile) {
  ScratchDirectory dir;
  WriteBytes(dir.File("from"), "new");
  WriteBytes(dir.File("to"), "old");
  EXPECT_TRUE(ReplaceForTests(dir.File("from").c_str(), dir.File("to").c_str()));
  EXPECT_EQ(ReadBytes(dir.File("to")), "new");
  EXPECT_FALSE(FileExists(dir.File("from")));
}
#endif

// Without paths, both files lie in the current directory.
TEST(RunwayFileDefaults, UseTheCurrentDirectory) {
  ScratchDirectory dir;
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  const bool saved = WriteRunwayFile(kFirst, kSecond, {"09"}, {"04"}, ReplaceForTests);
  const RunwayLists lists = ReadRunwayFile(kFirst, kSecond);
  std::filesystem::current_path(previous);

  EXPECT_TRUE(saved);
  EXPECT_EQ(ReadBytes(dir.File("quirtel.ini")), "[EDDF]\r\n09\r\n[KJFK]\r\n04\r\n");
  EXPECT_FALSE(FileExists(dir.File("quirtel.in2")));
  EXPECT_EQ(lists.first, Rows{"09"});
  EXPECT_EQ(lists.second, Rows{"04"});
}

}  // namespace
