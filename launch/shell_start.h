#pragma once
// Starting a program through the shell.
#include <windows.h>
#include <shellapi.h>

using ShellExecuteExFn = BOOL(WINAPI*)(SHELLEXECUTEINFOA*);

// ShellExecuteExA with COM initialised on this thread for the call (single-
// threaded apartment, no OLE1 DDE), as the shell asks of its callers: the verb
// may be served by a shell extension. An apartment that the thread already has
// is used as it is. The call is synchronous (SEE_MASK_NOASYNC is added to the
// record's mask). `execute` stands in for the system's shell function (tests).
BOOL StartThroughShell(SHELLEXECUTEINFOA* info, ShellExecuteExFn execute = nullptr);
