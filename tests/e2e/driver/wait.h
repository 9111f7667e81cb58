#pragma once
// Waiting for a condition with a deadline: the only way the tests wait.
#include <windows.h>

#include <functional>

#include "tests/support/deadline.h"

namespace e2e {

using test_support::Deadline;
using test_support::ScaledMs;

// Generous for Wine on a busy machine; a test that needs it is already failing.
inline const ScaledMs kDefaultTimeoutMs = Deadline(15000);

// Polls `condition` until it holds (true) or `timeout` has passed (false).
bool WaitUntil(const std::function<bool()>& condition, ScaledMs timeout = kDefaultTimeoutMs);

// Milliseconds since an arbitrary start, for measuring intervals.
double NowMs();

}  // namespace e2e
