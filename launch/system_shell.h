#pragma once
// The system's shell function and what it accepts. Functions of their own so
// that test builds of the program can link a shell that behaves as older
// Windows does, or fails.
#include <cstddef>

#include "launch/shell_start.h"

// ShellExecuteExA of shell32, loaded at the first start; null when missing.
ShellExecuteExFn SystemShellExecute();

// The longest command line, terminator included, that the shell starts on this
// Windows (ShellCommandLineLimitOf its version).
std::size_t ShellCommandLineLimit();
