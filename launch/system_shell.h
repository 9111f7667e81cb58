#pragma once
// The system's shell function and what it accepts. Functions of their own so
// that test builds of the program can link a shell that behaves as older
// Windows does, or fails.
#include <cstddef>

#include "launch/shell_start.h"

// ShellExecuteExA of shell32, loaded at the first start; null when missing.
ShellExecuteExFn SystemShellExecute();

// The longest command line, terminator included, that the shell starts on this
// Windows: on XP and Vista ShellExecuteEx refuses more than INTERNET_MAX_URL_LENGTH
// (2084); later versions take what CreateProcess takes.
std::size_t ShellCommandLineLimit();
