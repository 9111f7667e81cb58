// The shell's limit as the program itself reads it: from the version of the
// Windows it runs on. From Windows 7 (6.1) on, Wine's default, a version read
// with its two numbers swapped gives XP's limit.
#include <gtest/gtest.h>
#include <windows.h>

#include "launch/command_line_limit.h"
#include "launch/system_shell.h"

namespace {

// The running Windows' version as its kernel reports it: no manifest or
// compatibility setting disguises it (GetVersionEx reports 6.2 to a program
// without the newer versions in its manifest, which has the same limit).
OSVERSIONINFOW RunningVersion() {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  const auto getVersion = reinterpret_cast<RtlGetVersionFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
  if (!getVersion || getVersion(&version) != 0) ADD_FAILURE() << "ntdll gives no version";
  return version;
}

TEST(SystemShellTest, TheLimitIsTheOneOfTheRunningWindows) {
  const OSVERSIONINFOW running = RunningVersion();
  EXPECT_EQ(ShellCommandLineLimit(),
            ShellCommandLineLimitOf(running.dwMajorVersion, running.dwMinorVersion))
      << "on Windows " << running.dwMajorVersion << "." << running.dwMinorVersion;
}

}  // namespace
