#include "driver/wait.h"

namespace e2e {

namespace {
constexpr DWORD kPollMs = 10;
}

bool WaitUntil(const std::function<bool()>& condition, ScaledMs timeout) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeout.Ms()) return condition();
    Sleep(kPollMs);
  }
}

double NowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs;
}

}  // namespace e2e
