#include "driver/process.h"

#include "tests/support/deadline.h"

#include <stdexcept>
#include <vector>

namespace e2e {

Process::Process(const std::string& exePath, const std::string& commandLine,
                 const std::string& workingFolder) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  // Under a heavy load Wine now and then fails a start with ERROR_INTERNAL_ERROR
  // (the new process ended before it had started up); another try starts it.
  for (int attempt = 1;; ++attempt) {
    // CreateProcessA may write into the command line: hand it a private copy.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (CreateProcessA(exePath.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       workingFolder.c_str(), &startup, &m_info)) {
      return;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR || attempt == 3) {
      throw std::runtime_error("cannot start " + exePath + " (error " + std::to_string(error) +
                               ")");
    }
  }
}

Process::~Process() {
  Kill();
  CloseHandle(m_info.hThread);
  CloseHandle(m_info.hProcess);
}

bool Process::HasExited() const { return WaitForSingleObject(m_info.hProcess, 0) == WAIT_OBJECT_0; }

std::optional<DWORD> Process::WaitForExit(ScaledMs timeout) {
  if (WaitForSingleObject(m_info.hProcess, timeout.Ms()) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(m_info.hProcess, &code);
  return code;
}

void Process::Kill() {
  if (HasExited()) return;
  TerminateProcess(m_info.hProcess, 1);
  WaitForSingleObject(m_info.hProcess, test_support::Deadline(5000).Ms());
}

}  // namespace e2e
