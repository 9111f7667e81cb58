// The length check before a start: the whole line as CreateProcess gets it,
// the quotes around the program's path included, against its 32767 characters
// with the terminator.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "launch/command_line_limit.h"

namespace {

// A program file whose full path has a known length.
class KnownProgram {
 public:
  KnownProgram() {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    m_path = std::string(folder) + "zuru-limit-test.exe";
    HANDLE file = CreateFileA(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  ~KnownProgram() { DeleteFileA(m_path.c_str()); }
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

TEST(CommandLineLimitTest, TheQuotedPathCountsUpToTheLastCharacterThatFits) {
  const KnownProgram program;
  // "<path>" <parameters>: two quotes and a space around the path.
  const std::size_t around = program.Path().size() + 3;
  struct Case {
    std::size_t lineLength;  // without the terminator
    bool fits;
  };
  for (const Case c : {Case{kCommandLineLimit - 2, true}, Case{kCommandLineLimit - 1, true},
                       Case{kCommandLineLimit, false}, Case{kCommandLineLimit + 1, false}}) {
    SCOPED_TRACE("a line of " + std::to_string(c.lineLength) + " characters");
    const std::string parameters(c.lineLength - around, 'x');
    const std::size_t length = StartedCommandLineLength(program.Path().c_str(), parameters);
    EXPECT_EQ(length, c.lineLength);
    EXPECT_EQ(FitsCommandLineLimit(length), c.fits);
  }
}

// What the shell of each Windows starts, terminator included: XP and Vista
// refuse more than INTERNET_MAX_URL_LENGTH; from Windows 7 on, the shell takes
// what CreateProcess takes.
TEST(CommandLineLimitTest, TheShellsLimitByWindowsVersion) {
  struct Case {
    unsigned major;
    unsigned minor;
    std::size_t limit;
  };
  for (const Case c : {Case{5, 1, 2084}, Case{5, 2, 2084}, Case{6, 0, 2084}, Case{6, 1, 32767},
                       Case{6, 2, 32767}, Case{6, 3, 32767}, Case{10, 0, 32767}}) {
    SCOPED_TRACE("Windows " + std::to_string(c.major) + "." + std::to_string(c.minor));
    EXPECT_EQ(ShellCommandLineLimitOf(c.major, c.minor), c.limit);
  }
}

}  // namespace
