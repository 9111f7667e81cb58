#pragma once
// Reading a state that settles after an action: read again and again until it is
// the expected one or the deadline has passed, or read once after an event that
// guarantees it.
#include <windows.h>

#include <stdexcept>

#include "driver/dialog.h"
#include "driver/wait.h"

namespace e2e {

// Reads `read()` until it equals `expected` or `timeoutMs` has passed, and gives
// the value read last, for the test to compare and to show when it differs.
template <typename Read, typename Expected>
auto Settled(Read read, const Expected& expected, DWORD timeoutMs = kDefaultTimeoutMs)
    -> decltype(read()) {
  auto last = read();
  if (!(last == expected)) {
    WaitUntil(
        [&] {
          last = read();
          return last == expected;
        },
        timeoutMs);
  }
  return last;
}

// Expects `actual`, an expression read again and again, to settle on `expected`.
#define EXPECT_SETTLES_EQ(actual, expected) \
  EXPECT_EQ(::e2e::Settled([&] { return actual; }, expected), expected)

// Waits until the thread of the dialog has handled the messages posted to its
// list box `listId` so far, or the list has gone. It marks the point with the
// list's horizontal extent, which shows nothing in a list without a horizontal
// scroll bar. Posted messages are taken in order by the message loop that runs
// when they arrive: posted after a nested modal dialog has gone, the mark is
// handled only once the handler that opened that dialog has returned.
inline void WaitForPostedMessagesToList(const Dialog& dialog, int listId) {
  const HWND list = dialog.Item(listId);
  auto extent = [list](DWORD_PTR& value) {
    return SendMessageTimeoutA(list, LB_GETHORIZONTALEXTENT, 0, 0, SMTO_NORMAL, 10000, &value) != 0;
  };
  DWORD_PTR now = 0;
  if (!extent(now)) {
    if (!IsWindow(list)) return;
    throw std::runtime_error("the list box does not answer");
  }
  const DWORD_PTR mark = now == 1 ? 2 : 1;
  PostMessageA(list, LB_SETHORIZONTALEXTENT, mark, 0);
  if (!WaitUntil([&] { return !IsWindow(list) || (extent(now) && now == mark); }))
    throw std::runtime_error("the list box did not take what was posted to it");
}

}  // namespace e2e
