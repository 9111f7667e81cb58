#pragma once
// Reading a state that settles after an action: read again and again until it is
// the expected one or the deadline has passed, or read once after an event that
// guarantees it.
#include <windows.h>

#include "driver/wait.h"

namespace e2e {

// Reads `read()` until it equals `expected` or `timeout` has passed, and gives
// the value read last, for the test to compare and to show when it differs.
template <typename Read, typename Expected>
auto Settled(Read read, const Expected& expected, ScaledMs timeout = kDefaultTimeoutMs)
    -> decltype(read()) {
  auto last = read();
  if (!(last == expected)) {
    WaitUntil(
        [&] {
          last = read();
          return last == expected;
        },
        timeout);
  }
  return last;
}

// Expects `actual`, an expression read again and again, to settle on `expected`.
#define EXPECT_SETTLES_EQ(actual, expected) \
  EXPECT_EQ(::e2e::Settled([&] { return actual; }, expected), expected)

}  // namespace e2e
