#pragma once
// Waiting for a condition with a deadline: the only way the tests wait.
#include <windows.h>

#include <functional>

#include "tests/support/deadline.h"

namespace e2e {

// Generous for Wine on a busy machine; a test that needs it is already failing.
inline const DWORD kDefaultTimeoutMs = test_support::Deadline(15000);

// Polls `condition` until it holds (true) or `timeoutMs` has passed (false).
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kDefaultTimeoutMs);

// Milliseconds since an arbitrary start, for measuring intervals.
double NowMs();

}  // namespace e2e
