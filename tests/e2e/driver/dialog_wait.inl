#pragma once
// The template part of dialog.h.
#include <stdexcept>

#include "driver/wait.h"

namespace e2e {

template <typename Match>
Dialog WaitForDialog(DWORD processId, Match matches, ScaledMs timeout) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : VisibleDialogs(processId)) {
          if (matches(window)) {
            found = window;
            return true;
          }
        }
        return false;
      },
      timeout);
  if (!found) throw std::runtime_error("the expected dialog did not show up");
  return Dialog(found);
}

}  // namespace e2e
