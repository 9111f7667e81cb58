#pragma once
// A program under test, started with an exact command line and never left running.
#include <windows.h>

#include <optional>
#include <string>

#include "driver/wait.h"

namespace e2e {

class Process {
 public:
  // Starts `exePath` with exactly `commandLine` (what the program's GetCommandLineA
  // returns) in the folder `workingFolder`. Throws when the start fails.
  Process(const std::string& exePath, const std::string& commandLine,
          const std::string& workingFolder);
  // Kills the program if it still runs: a failed test leaves nothing behind.
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  DWORD Id() const { return m_info.dwProcessId; }
  DWORD ThreadId() const { return m_info.dwThreadId; }
  bool HasExited() const;
  // The exit code once the program has ended within `timeout`; nothing otherwise.
  std::optional<DWORD> WaitForExit(ScaledMs timeout);
  void Kill();

 private:
  PROCESS_INFORMATION m_info = {};
};

}  // namespace e2e
