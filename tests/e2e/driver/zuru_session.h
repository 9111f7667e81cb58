#pragma once
// One run of ZURU.EXE in a fresh folder of its own: the folder, the program, its
// options dialog, and what the stand-ins recorded.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "driver/dialog.h"
#include "driver/files.h"
#include "driver/process.h"
#include "driver/stub_log.h"

namespace e2e {

// The adventure file most tests hand over: the codes of two airports.
constexpr const char* kAdventureName = "EDDFKJFK.TXT";
// A few lines of the text an adventure source holds.
extern const char* const kSampleAdventure;

class ZuruSession {
 public:
  // A folder with ZURU.EXE, the named stand-ins and the sample adventure file.
  explicit ZuruSession(const std::vector<std::string>& stubs = {"patch.exe", "zuru2.exe"});

  TestFolder& Folder() { return m_folder; }
  std::string PathOf(const std::string& name) const { return m_folder / name; }
  bool AdventureExists() const { return FileExists(PathOf(kAdventureName)); }

  // Starts ZURU.EXE in the folder with exactly this command line.
  void Start(const std::string& commandLine);
  Process& Program() { return *m_process; }
  Dialog Options(ScaledMs timeout = kDefaultTimeoutMs) const;
  // The exit code, or nothing when it still runs after `timeout`.
  std::optional<DWORD> WaitForExit(ScaledMs timeout = kDefaultTimeoutMs);

  // Lets the stand-ins run until ReleaseStub; makes them end with `code`.
  void HoldStub() const;
  void ReleaseStub() const;
  void SetStubExitCode(DWORD code) const;
  bool StubEnded() const { return FileExists(PathOf(kStubEnded)); }
  std::vector<StubRun> StubRuns() const { return ReadStubLog(m_folder.Path()); }

 private:
  TestFolder m_folder;
  std::unique_ptr<Process> m_process;
};

}  // namespace e2e
