// A shell that cannot even be reached because memory has run out, for the test
// build of ZURU.EXE whose "Create &adventure" fails after it has locked the dialog.
#include <new>

#include "launch/command_line_limit.h"
#include "launch/system_shell.h"

ShellExecuteExFn SystemShellExecute() { throw std::bad_alloc(); }

std::size_t ShellCommandLineLimit() { return kCommandLineLimit; }
