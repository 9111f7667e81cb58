#pragma once
// What the end-to-end tests of ZURU.EXE share: a clean settings store per test,
// the options dialog's controls and its enabling rules, and the usual steps.
#include <gtest/gtest.h>

#include <cstdio>

#include <map>
#include <string>
#include <vector>

#include "driver/settle.h"
#include "driver/store.h"
#include "driver/wait.h"
#include "driver/zuru_session.h"
#include "res/resource.h"

namespace e2e {

// The command line the ATC add-on would use, with the adventure in the current folder.
inline const std::string kStartLine = std::string("ZURU.EXE -E ") + kAdventureName;

// Every control of the options dialog that has an id, in template order.
inline const std::vector<int> kOptionControls = {
    IDC_ACTIVE,        IDC_NOCREW,           IDC_NOFLAPS,       IDC_DONTSETFLAPS,
    IDC_HEAVY,         IDC_CGROUND1,         IDC_TRAFFIC,       IDC_CHKSPD,
    IDC_CROSSING,      IDC_NOALTCALL,        IDC_RESETALT,      IDC_ENROUTEALT,
    IDC_DEFWAVFOLDER,  IDC_NEWATIS,          IDC_ATISTEXT,      IDC_NEWATC,
    IDC_PCM,           IDC_MAXTIME,          IDC_MAXTIME_LABEL, IDC_MAXTIME_UNIT,
    IDC_RUNWAYS,       IDC_CREATE_ADVENTURE, IDCANCEL,          IDC_ABOUT,
    IDC_TRAFFIC_LABEL, IDC_TRAFFIC_ZERO,     IDC_TRAFFIC_HIGH,  IDC_OPTIONS_GROUP};

inline const std::vector<int> kCheckBoxes = {
    IDC_ACTIVE,       IDC_NOCREW,  IDC_NOFLAPS,  IDC_DONTSETFLAPS, IDC_HEAVY,
    IDC_CGROUND1,     IDC_CHKSPD,  IDC_CROSSING, IDC_NOALTCALL,    IDC_RESETALT,
    IDC_DEFWAVFOLDER, IDC_NEWATIS, IDC_ATISTEXT, IDC_NEWATC,       IDC_PCM};

// The twenty values of the settings store.
inline const std::vector<std::string> kStoreKeys = {
    "chkspd",   "crossing",     "userw1",   "userw2",    "active",     "nocrew", "dontsetflaps",
    "noflaps",  "newatis",      "atistext", "newatc",    "pcm",        "heavy",  "maxtime",
    "cground1", "defwavfolder", "resetalt", "noaltcall", "enroutealt", "traffic"};

// The option flags the enabling rules look at.
struct EnablingFlags {
  bool active = false;
  bool newatis = false;
  bool newatc = false;
  bool noflaps = false;
  bool resetalt = false;
};

// Whether the options dialog should show control `id` enabled while editing.
inline bool ShouldBeEnabled(int id, const EnablingFlags& f) {
  switch (id) {
    case IDC_ACTIVE:
    case IDC_CREATE_ADVENTURE:
      return true;
    case IDC_DONTSETFLAPS:
      return f.active && !f.noflaps;
    case IDC_ATISTEXT:
      return f.active && f.newatis;
    case IDC_PCM:
    case IDC_MAXTIME:
    case IDC_MAXTIME_LABEL:
    case IDC_MAXTIME_UNIT:
      return f.active && f.newatc;
    case IDC_ENROUTEALT:
      return f.active && f.resetalt;
    default:
      return f.active;
  }
}

// Lists every control whose enabled state breaks the enabling rules for `flags`.
inline ::testing::AssertionResult FollowsEnablingRules(const Dialog& dialog,
                                                       const EnablingFlags& flags) {
  std::string wrong;
  for (int id : kOptionControls) {
    bool enabled = dialog.Enabled(id);
    if (enabled != ShouldBeEnabled(id, flags))
      wrong += " " + std::to_string(id) + (enabled ? " (enabled)" : " (disabled)");
  }
  if (wrong.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "controls in the wrong state:" << wrong;
}

inline ::testing::AssertionResult AllDisabled(const Dialog& dialog) {
  std::string enabled;
  for (int id : kOptionControls)
    if (dialog.Enabled(id)) enabled += " " + std::to_string(id);
  if (enabled.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "still enabled:" << enabled;
}

// Compares the whole store with `expected` (every value a REG_DWORD).
inline ::testing::AssertionResult StoreHolds(const std::map<std::string, DWORD>& expected) {
  std::map<std::string, StoredValue> stored = ReadStore();
  std::string wrong;
  for (const auto& [name, value] : expected) {
    auto it = stored.find(name);
    if (it == stored.end()) {
      wrong += " " + name + " missing;";
    } else if (it->second.Dword() != value) {
      wrong += " " + name + " is " +
               (it->second.Dword() ? std::to_string(*it->second.Dword()) : "not a REG_DWORD") +
               ", not " + std::to_string(value) + ";";
    }
  }
  for (const auto& [name, value] : stored)
    if (!expected.count(name)) wrong += " unexpected value " + name + ";";
  if (wrong.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "settings store:" << wrong;
}

// The twenty values as a first "Create &adventure" stores them, with `changes` applied.
inline std::map<std::string, DWORD> StoreAfterCreate(const std::map<std::string, DWORD>& changes) {
  std::map<std::string, DWORD> values;
  for (const std::string& key : kStoreKeys) values[key] = key == "enroutealt" ? 420 : 0;
  for (const auto& [name, value] : changes) values[name] = value;
  return values;
}

inline void WriteStore(const std::map<std::string, DWORD>& values) {
  for (const auto& [name, value] : values) WriteStoreDword(name, value);
}

// Starts ZURU.EXE with `line` over a store that holds only `stored`, and gives
// its options dialog.
inline Dialog StartOverStore(ZuruSession& session, const std::map<std::string, DWORD>& stored,
                             const std::string& line = kStartLine) {
  DeleteStore();
  WriteStore(stored);
  session.Start(line);
  return session.Options();
}

// What a stand-in started through the shell by bare name sees as its command line.
inline std::string HandedOver(const std::string& program, const std::string& parameters) {
  return "\"" + program + "\" " + parameters;
}

class ZuruTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteStore(); }
  void TearDown() override { DeleteStore(); }

  // Presses "Create &adventure" (posted: a message box may answer it).
  static void CreateAdventure(const Dialog& dialog) { dialog.PostClick(IDC_CREATE_ADVENTURE); }

  // Puts the test build bin/variants/<variant>/ZURU.EXE in the session's folder.
  static void UseTestBuild(ZuruSession& session, const std::string& variant) {
    const std::string build = ProgramFolder() + "variants\\" + variant + "\\ZURU.EXE";
    ASSERT_TRUE(CopyFileTo(build, session.PathOf("ZURU.EXE"))) << "no " << build;
  }

  // Presses "Create &adventure" with the stand-in held, and waits until it runs
  // and the dialog is locked.
  static void CreateWhileStubHeld(ZuruSession& session, const Dialog& dialog) {
    session.HoldStub();
    CreateAdventure(dialog);
    ASSERT_TRUE(WaitUntil([&] { return session.StubRuns().size() == 1; }))
        << "the stand-in did not start";
    ASSERT_TRUE(WaitUntil([&] { return !dialog.Enabled(IDC_CREATE_ADVENTURE); }));
  }

  // Ends the run with Cancel; the button needs "&Use Quirtel" on.
  static void CancelRun(ZuruSession& session, const Dialog& dialog) {
    dialog.SetCheck(IDC_ACTIVE, true);
    dialog.Click(IDCANCEL);
    ASSERT_TRUE(session.WaitForExit().has_value()) << "ZURU.EXE did not end after Cancel";
  }

  // Waits for the stand-in to end, then for ZURU.EXE; prints the time from the
  // stand-in's end to the dialog's end and to the program's end.
  static void ExpectEndAfterStub(ZuruSession& session) {
    ASSERT_TRUE(WaitUntil([&] { return session.StubEnded(); })) << "the stand-in did not end";
    const double stubEnded = NowMs();
    const DWORD id = session.Program().Id();
    ASSERT_TRUE(WaitUntil([&] { return !HasVisibleWindow(id); }, Deadline(10000)))
        << "the dialog is still open 10 s after the stand-in ended";
    const double dialogEnded = NowMs() - stubEnded;
    ASSERT_TRUE(session.WaitForExit(Deadline(10000)).has_value())
        << "ZURU.EXE still runs 10 s after the stand-in ended";
    const double programEnded = NowMs() - stubEnded;
    std::printf("after the stand-in ended: dialog closed in %.0f ms, ZURU.EXE ended in %.0f ms\n",
                dialogEnded, programEnded);
    ::testing::Test::RecordProperty("dialog_closed_after_stub_ms", static_cast<int>(dialogEnded));
    ::testing::Test::RecordProperty("program_ended_after_stub_ms", static_cast<int>(programEnded));
  }
};

}  // namespace e2e
