#include "launch/system_shell.h"

#include <windows.h>

#include "launch/command_line_limit.h"

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
  // The manifest names every version, so none is disguised.
  if (!GetVersionExA(&version)) return kCommandLineLimit;
  return ShellCommandLineLimitOf(version.dwMajorVersion, version.dwMinorVersion);
}
