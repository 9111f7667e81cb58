#pragma once
// What the stand-ins for patch.exe and zuru2.exe recorded in a test folder.
#include <string>
#include <vector>

namespace e2e {

struct StubRun {
  std::string program;      // "patch" or "zuru2"
  std::string commandLine;  // exactly as the stand-in's GetCommandLineA returned it
};

// The runs recorded in "stub-log.txt" of `folder` (with a trailing backslash), in
// order. Throws when the log is malformed.
std::vector<StubRun> ReadStubLog(const std::string& folder);

// Control files the stand-ins look for in their current directory.
constexpr const char* kStubHold = "stub-hold";
constexpr const char* kStubExitCode = "stub-exit-code";
constexpr const char* kStubEnded = "stub-ended";

}  // namespace e2e
