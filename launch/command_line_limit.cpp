#include "launch/command_line_limit.h"

#include <windows.h>

namespace {

std::size_t FoundPathLength(const char* program) {
  char path[MAX_PATH];
  const DWORD length = SearchPathA(nullptr, program, nullptr, MAX_PATH, path, nullptr);
  return length > 0 && length < MAX_PATH ? length : MAX_PATH;
}

}  // namespace

std::size_t ShellCommandLineLimitOf(unsigned major, unsigned minor) {
  const bool beforeWindows7 = major < 6 || (major == 6 && minor < 1);
  return beforeWindows7 ? kOldShellLimit : kCommandLineLimit;
}

std::size_t StartedCommandLineLength(const char* program, const std::string& parameters) {
  return FoundPathLength(program) + 2 + 1 + parameters.size();
}
