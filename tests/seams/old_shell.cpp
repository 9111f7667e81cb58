// The shell of Windows XP and Vista, as far as the length of a command line
// goes: it refuses a line longer than 2083 characters, for the test build of
// ZURU.EXE that meets it under Wine (whose shell takes what CreateProcess takes).
#include <windows.h>

#include <cstring>

#include "launch/system_shell.h"

namespace {

constexpr std::size_t kOldShellLimit = 2084;  // INTERNET_MAX_URL_LENGTH, terminator included

BOOL WINAPI OldShellExecute(SHELLEXECUTEINFOA* info) {
  // The line it makes: the quoted program, a space and the parameters.
  const std::size_t length =
      std::strlen(info->lpFile) + 3 + (info->lpParameters ? std::strlen(info->lpParameters) : 0);
  if (length >= kOldShellLimit) {
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

std::size_t ShellCommandLineLimit() { return kOldShellLimit; }
