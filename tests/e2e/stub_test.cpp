// The stand-ins the other tests rely on: they record their command line byte
// for byte, hold while told to, and end with the exit code they are given.
#include <gtest/gtest.h>

#include "driver/files.h"
#include "driver/process.h"
#include "driver/stub_log.h"
#include "driver/wait.h"

namespace e2e {
namespace {

TEST(StubTest, RecordsTheExactCommandLine) {
  const std::string longLine = "zuru2.exe -E " + std::string(2000, 'A') + ".TXT";
  const std::vector<std::string> lines = {
      "zuru2.exe",
      "zuru2.exe ",
      "\"zuru2.exe\" -E C:\\FS\\ADV\\eddfkjfk.txt",
      "zuru2.exe \t two  spaces, \"quotes\", tab and trailing space ",
      "\"unmatched quote -E x.txt",
      "zuru2.exe line\nfeed",
      longLine,
  };
  TestFolder folder;
  folder.AddStub("zuru2.exe");
  for (const std::string& line : lines) {
    Process stub(folder / "zuru2.exe", line, folder.Path());
    ASSERT_EQ(stub.WaitForExit(kDefaultTimeoutMs), std::optional<DWORD>(0));
  }
  std::vector<StubRun> runs = ReadStubLog(folder.Path());
  ASSERT_EQ(runs.size(), lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(runs[i].program, "zuru2");
    EXPECT_EQ(runs[i].commandLine, lines[i]);
  }
}

TEST(StubTest, HoldsWhileToldAndEndsWithTheGivenCode) {
  TestFolder folder;
  folder.AddStub("patch.exe");
  WriteFile(folder / kStubHold, "");
  WriteFile(folder / kStubExitCode, "259");
  Process stub(folder / "patch.exe", "\"patch.exe\" x", folder.Path());

  ASSERT_TRUE(WaitUntil([&] { return ReadStubLog(folder.Path()).size() == 1; }));
  EXPECT_FALSE(stub.HasExited());
  EXPECT_FALSE(FileExists(folder / kStubEnded));

  DeleteFileA((folder / kStubHold).c_str());
  EXPECT_EQ(stub.WaitForExit(kDefaultTimeoutMs), std::optional<DWORD>(259));
  EXPECT_TRUE(FileExists(folder / kStubEnded));
  EXPECT_EQ(ReadStubLog(folder.Path())[0].program, "patch");
}

}  // namespace
}  // namespace e2e
