#include "launch/system_shell.h"

#include <windows.h>

#include "launch/command_line_limit.h"

namespace {

constexpr std::size_t kOldShellLimit = 2084;  // INTERNET_MAX_URL_LENGTH

}  // namespace

ShellExecuteExFn SystemShellExecute() {
  // shell32 is loaded only for the start itself: most of a run is the dialog,
  // and loading it with the program makes every start slower.
  HMODULE shell = LoadLibraryA("shell32.dll");
  return shell ? reinterpret_cast<ShellExecuteExFn>(
                     reinterpret_cast<void*>(GetProcAddress(shell, "ShellExecuteExA")))
               : nullptr;
}

std::size_t ShellCommandLineLimit() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  // Windows 7 is 6.1; the manifest names every version, so none is disguised.
  const bool oldShell =
      GetVersionExA(&version) &&
      (version.dwMajorVersion < 6 || (version.dwMajorVersion == 6 && version.dwMinorVersion == 0));
  return oldShell ? kOldShellLimit : kCommandLineLimit;
}
