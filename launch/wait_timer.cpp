#include "launch/wait_timer.h"

UINT_PTR SetWaitTimer(HWND dialog, UINT_PTR id, UINT periodMs) {
  return SetTimer(dialog, id, periodMs, nullptr);
}
