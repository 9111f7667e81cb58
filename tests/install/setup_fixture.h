#pragma once
// What the tests of the setup program share: the files they know byte for byte,
// what an installed or untouched folder holds, and a clean registry per test.
#include "setup_driver.h"
#include "zuru_e2e.h"

namespace setup {

inline const std::string kCompiler = e2e::ReadFile(CompilerStandIn());
inline const std::string kOurs = e2e::ReadFile(e2e::ZuruExePath());
inline const std::string kOlderOurs = e2e::ReadFile(OtherBuildOfOurs("older"));
inline const std::string kNewerOurs = e2e::ReadFile(OtherBuildOfOurs("newer"));
// Our product name, another maker's company name.
inline const std::string kForeign = e2e::ReadFile(OtherBuildOfOurs("foreign"));
inline const std::string kPatch = e2e::ReadFile(e2e::StubPath("patch.exe"));
inline const std::string kOtherCompiler = "MZ another build of the simulator's compiler";
inline const std::string kQuirtelIni = "[EDDF]\r\n25L 110.10 1\r\n";

// What a complete installation over `before` holds: ours as ZURU.EXE, the
// compiler as zuru2.exe (where it was), an uninstaller, everything else as it was.
inline ::testing::AssertionResult Installed(const Files& before, const Files& after) {
  Files expected = before;
  expected["ZURU.EXE"] = kOurs;
  expected["zuru2.exe"] =
      before.count("zuru2.exe") ? before.at("zuru2.exe") : before.at("ZURU.EXE");
  auto uninstaller = after.find(kUninstaller);
  if (uninstaller == after.end() || uninstaller->second.compare(0, 2, "MZ") != 0)
    return ::testing::AssertionFailure() << "no uninstaller in the folder";
  expected[kUninstaller] = uninstaller->second;
  if (after == expected) return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << "files not as installed:";
  for (const auto& [name, bytes] : expected)
    if (!after.count(name) || after.at(name) != bytes) failure << " " << name;
  for (const auto& [name, bytes] : after)
    if (!expected.count(name)) failure << " extra " << name;
  return failure;
}

inline ::testing::AssertionResult Unchanged(const Files& before, const Files& after) {
  if (after == before) return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << "the folder changed:";
  for (const auto& [name, bytes] : before)
    if (!after.count(name))
      failure << " " << name << " gone;";
    else if (after.at(name) != bytes)
      failure << " " << name << " rewritten;";
  for (const auto& [name, bytes] : after)
    if (!before.count(name)) failure << " " << name << " added;";
  return failure;
}

// The one promise of every run: the compiler is still there, byte for byte.
inline bool CompilerSurvives(const Files& after, const std::string& compiler) {
  return (after.count("ZURU.EXE") && after.at("ZURU.EXE") == compiler) ||
         (after.count("zuru2.exe") && after.at("zuru2.exe") == compiler);
}

// Either complete (exit 0) or nothing changed (a refusal or an undone failure).
inline void ExpectWholeOrNothing(DWORD code, const Files& before, const Files& after) {
  if (code == kDone) {
    EXPECT_TRUE(Installed(before, after));
  } else {
    EXPECT_TRUE(code == kRefused || code == kFailed) << "exit code " << code;
    EXPECT_TRUE(Unchanged(before, after));
  }
}

class SetupTest : public e2e::ZuruTest {
 protected:
  void SetUp() override {
    ZuruTest::SetUp();
    DeleteUninstallEntry();
  }
  void TearDown() override {
    DeleteUninstallEntry();
    ZuruTest::TearDown();
  }

  // A simulator folder as it comes: the compiler, patch.exe and quirtel.ini.
  const Files m_simulator = {
      {"ZURU.EXE", kCompiler}, {"patch.exe", kPatch}, {"quirtel.ini", kQuirtelIni}};
};

}  // namespace setup
