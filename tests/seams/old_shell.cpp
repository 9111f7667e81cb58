// The shell of Windows XP and Vista, as far as the length of a command line
// goes: it refuses a line longer than 2083 characters, for the test build of
// ZURU.EXE that meets it under Wine (whose shell takes what CreateProcess takes).
#include <windows.h>

#include <cstring>

#include "launch/command_line_limit.h"
#include "launch/system_shell.h"

namespace {

// Vista's, as the program knows it.
const std::size_t kVistaShellLimit = ShellCommandLineLimitOf(6, 0);

BOOL WINAPI OldShellExecute(SHELLEXECUTEINFOA* info) {
  // The line it makes: the quoted program, a space and the parameters.
  const std::size_t length =
      std::strlen(info->lpFile) + 3 + (info->lpParameters ? std::strlen(info->lpParameters) : 0);
  if (length >= kVistaShellLimit) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return FALSE;
  }
  HMODULE shell = LoadLibraryA("shell32.dll");
  const auto execute = reinterpret_cast<ShellExecuteExFn>(
      reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteExA")));
  return execute(info);
}

}  // namespace

ShellExecuteExFn SystemShellExecute() { return &OldShellExecute; }

std::size_t ShellCommandLineLimit() { return kVistaShellLimit; }
