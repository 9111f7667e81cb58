#pragma once
// What the tests of the setup program share: the files they know byte for byte,
// what an installed or untouched folder holds, our entries in "Programs and
// Features", and a clean registry per test.
#include <cstdlib>
#include <iterator>
#include <optional>
#include <vector>

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
// The simulator's own texts, which share the folder with ours.
inline const std::string kSimulatorLicense = "The simulator's licence\r\n";

// The licence and the notices as the setup program carries them (the build's
// install/payload/, which script/release zips too).
inline std::string CarriedText(const char* name) {
  return e2e::ReadFile(e2e::ProgramFolder() + "..\\install\\payload\\" + name);
}
inline const std::string kLicenseText = CarriedText("LICENSE.txt");
inline const std::string kNoticesText = CarriedText("NOTICES.txt");

// The uninstaller as an installation on an ordinary disk writes it; every
// installation must leave this one, whole (SetupTest makes it once).
inline std::string& WrittenUninstaller() {
  static std::string bytes;
  return bytes;
}

// What a complete installation over `before` holds: ours as ZURU.EXE, the
// compiler as zuru2.exe (where it was), our uninstaller, licence and notices,
// everything else as it was.
inline Files InstalledOver(const Files& before) {
  Files installed = before;
  installed["ZURU.EXE"] = kOurs;
  installed["zuru2.exe"] =
      before.count("zuru2.exe") ? before.at("zuru2.exe") : before.at("ZURU.EXE");
  installed[kUninstaller] = WrittenUninstaller();
  installed[kLicenseName] = kLicenseText;
  installed[kNoticesName] = kNoticesText;
  return installed;
}

// What uninstalling a complete installation leaves: the compiler as ZURU.EXE again.
inline Files UninstalledFrom(const Files& installed) {
  Files uninstalled = installed;
  uninstalled["ZURU.EXE"] = installed.at("zuru2.exe");
  uninstalled.erase("zuru2.exe");
  uninstalled.erase(kUninstaller);
  uninstalled.erase(kLicenseName);
  uninstalled.erase(kNoticesName);
  return uninstalled;
}

// The folder holds exactly `expected`; else which files differ.
inline ::testing::AssertionResult Holds(const Files& expected, const Files& after) {
  if (after == expected) return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << "the folder differs:";
  for (const auto& [name, bytes] : expected)
    if (!after.count(name))
      failure << " " << name << " missing;";
    else if (after.at(name) != bytes)
      failure << " " << name << " not as expected (" << after.at(name).size() << " bytes, not "
              << bytes.size() << ");";
  for (const auto& [name, bytes] : after)
    if (!expected.count(name)) failure << " " << name << " extra;";
  return failure;
}

inline ::testing::AssertionResult Installed(const Files& before, const Files& after) {
  return Holds(InstalledOver(before), after) << " (not as installed)";
}

inline ::testing::AssertionResult Unchanged(const Files& before, const Files& after) {
  return Holds(before, after) << " (changed)";
}

// The one promise of every run: the compiler is still there, byte for byte.
inline bool CompilerSurvives(const Files& after, const std::string& compiler) {
  return (after.count("ZURU.EXE") && after.at("ZURU.EXE") == compiler) ||
         (after.count("zuru2.exe") && after.at("zuru2.exe") == compiler);
}

// A folder (with or without a trailing backslash) as its entry names it.
inline std::string Location(const std::string& folder) {
  return !folder.empty() && folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder;
}

inline bool SameName(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// An entry of this setup program for the folder `location`, every value checked.
// Windows compares names without regard to case, and so does this.
inline ::testing::AssertionResult DescribesFolder(const Entry& entry, const std::string& location) {
  auto value = [&](const char* name) { return entry.count(name) ? entry.at(name) : "(none)"; };
  const std::string uninstaller = location + "\\" + kUninstaller;
  const Entry expected = {
      {"DisplayName", "ZURU Adventure Options " ZURU_PRODUCT_VERSION_TEXT " (" + location + ")"},
      {"DisplayVersion", ZURU_PRODUCT_VERSION_TEXT},
      {"Publisher", "The ZURU developers"},
      {"InstallLocation", location},
      {"DisplayIcon", location + "\\ZURU.EXE,0"},
      {"UninstallString", "\"" + uninstaller + "\""},
      {"QuietUninstallString", "\"" + uninstaller + "\" /S"},
      {"NoModify", "1"},
      {"NoRepair", "1"},
      {"EstimatedSize", value("EstimatedSize")}};
  auto failure = ::testing::AssertionFailure() << "the entry of " << location << ":";
  bool differs = entry.size() != expected.size();
  for (const auto& [name, text] : expected)
    if (!SameName(value(name.c_str()), text)) {
      failure << " " << name << " is " << value(name.c_str()) << ", not " << text << ";";
      differs = true;
    }
  // Each file's size in whole KB, rounded down.
  const unsigned long sizeKb = std::strtoul(value("EstimatedSize").c_str(), nullptr, 10);
  const size_t files[] = {kOurs.size(), WrittenUninstaller().size(), kLicenseText.size(),
                          kNoticesText.size()};
  size_t bytes = 0, wholeKb = 0;
  for (size_t size : files) {
    bytes += size;
    wholeKb += size / 1024;
  }
  if (sizeKb < wholeKb || sizeKb > wholeKb + std::size(files)) {
    failure << " EstimatedSize " << sizeKb << " KB for " << bytes << " bytes;";
    differs = true;
  }
  if (differs) return failure << " (" << entry.size() << " values)";
  return ::testing::AssertionSuccess();
}

// Our entries are exactly one for each of `folders`, each under a key of its
// own, and the entry of an earlier version when `shared` is given.
inline ::testing::AssertionResult EntriesAre(const std::vector<std::string>& folders,
                                             const std::optional<Entry>& shared = std::nullopt) {
  Entries entries = UninstallEntries();
  auto failure = ::testing::AssertionFailure();
  bool differs = false;
  auto sharedEntry = entries.find(kSharedEntryName);
  if (sharedEntry == entries.end() ? shared.has_value() : sharedEntry->second != shared) {
    failure << " the entry of an earlier version " << (shared ? "changed or gone;" : "is left;");
    differs = true;
  }
  if (sharedEntry != entries.end()) entries.erase(sharedEntry);
  for (const std::string& folder : folders) {
    auto entry = entries.begin();
    while (entry != entries.end() && !SameName(entry->second["InstallLocation"], Location(folder)))
      ++entry;
    if (entry == entries.end()) {
      failure << " no entry for " << folder << ";";
      differs = true;
      continue;
    }
    if (auto described = DescribesFolder(entry->second, Location(folder)); !described) {
      failure << " " << described.message();
      differs = true;
    }
    entries.erase(entry);
  }
  for (const auto& [name, values] : entries) {
    failure << " an entry too many: " << name;
    differs = true;
  }
  if (differs) return failure;
  return ::testing::AssertionSuccess();
}

// Either complete (exit 0) with the folder's entry, or nothing changed (a
// refusal or an undone failure) and no entry.
inline void ExpectWholeOrNothing(DWORD code, const std::string& folder, const Files& before,
                                 const Files& after) {
  if (code == kDone) {
    EXPECT_TRUE(Installed(before, after));
    EXPECT_TRUE(EntriesAre({folder}));
  } else {
    EXPECT_TRUE(code == kRefused || code == kFailed) << "exit code " << code;
    EXPECT_TRUE(Unchanged(before, after));
    EXPECT_TRUE(EntriesAre({}));
  }
}

class SetupTest : public e2e::ZuruTest {
 protected:
  void SetUp() override {
    ZuruTest::SetUp();
    DeleteSetupRegistry();
    if (WrittenUninstaller().empty()) {
      e2e::TestFolder reference;
      WriteFolder(reference.Path(), {{"ZURU.EXE", kCompiler}});
      ASSERT_EQ(RunSetup(reference.Path()), kDone);
      WrittenUninstaller() = e2e::ReadFile(reference / kUninstaller);
      ASSERT_EQ(RunUninstaller(reference.Path()), kDone);
      ASSERT_FALSE(WrittenUninstaller().empty());
    }
    ASSERT_NE(kLicenseText.find(ZURU_COPYRIGHT_TEXT "\r\n"), std::string::npos);
    ASSERT_NE(kNoticesText.find("\r\n"), std::string::npos);
  }
  void TearDown() override {
    DeleteSetupRegistry();
    ZuruTest::TearDown();
  }

  // A simulator folder as it comes: the compiler, patch.exe, quirtel.ini and
  // the simulator's own licence, which no run of ours touches.
  const Files m_simulator = {{"ZURU.EXE", kCompiler},
                             {"patch.exe", kPatch},
                             {"quirtel.ini", kQuirtelIni},
                             {"license.txt", kSimulatorLicense}};
};

}  // namespace setup
