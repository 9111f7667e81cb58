// Stand-in for patch.exe and zuru2.exe: records how it was started, so that the
// end-to-end tests can check the exact command line ZURU.EXE handed over.
//
// Each run appends one record to "stub-log.txt" in the current directory:
//   <program name> LF <length of the command line, decimal> LF <command line bytes> LF
// The command line may hold anything but NUL, so its length, not a delimiter,
// says where it ends. The record is also printed to stdout.
//
// Controlled from files in the current directory:
//   "stub-hold"       while it exists, keep running (a test deletes it to let us end);
//   "stub-exit-code"  the decimal exit code to end with (0 when missing);
//   "stub-ended"      written just before exiting, so a test knows when we ended.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/deadline.h"

#ifndef STUB_NAME
#error "STUB_NAME must name the program this stand-in replaces"
#endif

namespace {

// A held stand-in never outlives a test that forgot to release it.
const DWORD kLongestHoldMs = test_support::Deadline(120000).Ms();
constexpr DWORD kHoldPollMs = 20;

bool FileExists(const char* name) { return GetFileAttributesA(name) != INVALID_FILE_ATTRIBUTES; }

void AppendRecord(const std::string& name, const std::string& commandLine) {
  std::string record = name + "\n" + std::to_string(commandLine.size()) + "\n" + commandLine + "\n";
  if (FILE* log = std::fopen("stub-log.txt", "ab")) {
    std::fwrite(record.data(), 1, record.size(), log);
    std::fclose(log);
  }
}

DWORD ReadExitCode() {
  DWORD code = 0;
  if (FILE* file = std::fopen("stub-exit-code", "rb")) {
    char text[32] = {};
    size_t n = std::fread(text, 1, sizeof text - 1, file);
    text[n] = '\0';
    code = static_cast<DWORD>(std::strtoul(text, nullptr, 10));
    std::fclose(file);
  }
  return code;
}

void WaitWhileHeld() {
  DWORD start = GetTickCount();
  while (FileExists("stub-hold") && GetTickCount() - start < kLongestHoldMs) Sleep(kHoldPollMs);
}

void MarkEnded() {
  if (FILE* file = std::fopen("stub-ended", "wb")) std::fclose(file);
}

}  // namespace

int main() {
  const std::string name = STUB_NAME;
  const std::string commandLine = GetCommandLineA();
  AppendRecord(name, commandLine);
  // The log holds the whole line; the echo stays short, since a console that
  // Wine opens for a hidden program takes seconds for tens of thousands of characters.
  constexpr size_t kEchoLimit = 2000;
  if (commandLine.size() <= kEchoLimit) {
    std::printf("%s received: %s\n", name.c_str(), commandLine.c_str());
  } else {
    std::printf("%s received: %.*s... (%u characters in all)\n", name.c_str(),
                static_cast<int>(kEchoLimit), commandLine.c_str(),
                static_cast<unsigned>(commandLine.size()));
  }
  std::fflush(stdout);

  WaitWhileHeld();
  DWORD exitCode = ReadExitCode();
  MarkEnded();
  ExitProcess(exitCode);
}
