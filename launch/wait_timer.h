#pragma once
// The timer that polls the started program. A function of its own so that a
// test build of the program can link one that the system refuses.
#include <windows.h>

// SetTimer on the dialog's window, without a callback; 0 when it was refused.
UINT_PTR SetWaitTimer(HWND dialog, UINT_PTR id, UINT periodMs);
