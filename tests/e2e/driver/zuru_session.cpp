#include "driver/zuru_session.h"

#include <stdexcept>

namespace e2e {

const char* const kSampleAdventure =
    "; adventure EDDF -> KJFK, written by the ATC add-on\r\n"
    "title \"Frankfurt to New York\"\r\n"
    "departure EDDF\r\n"
    "destination KJFK\r\n";

ZuruSession::ZuruSession(const std::vector<std::string>& stubs) {
  m_folder.AddZuru();
  for (const std::string& stub : stubs) m_folder.AddStub(stub);
  WriteFile(PathOf(kAdventureName), kSampleAdventure);
}

void ZuruSession::Start(const std::string& commandLine) {
  if (m_process) throw std::logic_error("ZURU.EXE runs already in this session");
  m_process = std::make_unique<Process>(PathOf("ZURU.EXE"), commandLine, m_folder.Path());
}

Dialog ZuruSession::Options(ScaledMs timeout) const {
  return WaitForOptionsDialog(m_process->Id(), timeout);
}

std::optional<DWORD> ZuruSession::WaitForExit(ScaledMs timeout) {
  return m_process->WaitForExit(timeout);
}

void ZuruSession::HoldStub() const { WriteFile(PathOf(kStubHold), ""); }

void ZuruSession::ReleaseStub() const { DeleteFileA(PathOf(kStubHold).c_str()); }

void ZuruSession::SetStubExitCode(DWORD code) const {
  WriteFile(PathOf(kStubExitCode), std::to_string(code));
}

}  // namespace e2e
