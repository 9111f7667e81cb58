// A wait timer that the system refuses, for the test build of ZURU.EXE that
// waits for the started program without one.
#include "launch/wait_timer.h"

UINT_PTR SetWaitTimer(HWND, UINT_PTR, UINT) {
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return 0;
}
