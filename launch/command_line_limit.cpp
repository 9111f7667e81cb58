#include "launch/command_line_limit.h"

#include <windows.h>

namespace {

constexpr std::size_t kCommandLineLimit = 32767;  // characters, terminator included

std::size_t FoundPathLength(const char* program) {
  char path[MAX_PATH];
  const DWORD length = SearchPathA(nullptr, program, nullptr, MAX_PATH, path, nullptr);
  return length > 0 && length < MAX_PATH ? length : MAX_PATH;
}

}  // namespace

bool FitsCommandLineLimit(const char* program, const std::string& parameters) {
  const std::size_t quotedProgram = FoundPathLength(program) + 2;
  return quotedProgram + 1 + parameters.size() + 1 <= kCommandLineLimit;
}
