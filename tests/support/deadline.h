#pragma once
// Every deadline of the tests goes through Deadline(): on a slow machine (an
// emulated one runs programs 5 to 10 times slower) ZURU_TIME_SCALE, a whole
// number, stretches them all alike. Unset, or not a number from 1 to 100, it
// is 1. Only how long a test waits changes, never what it expects.
//
// The waits of the tests take a ScaledMs, which only Deadline() makes: a plain
// number of milliseconds handed to a wait does not compile, so no deadline can
// escape the scale.
#include <windows.h>

#include <cstdlib>

namespace test_support {

inline DWORD TimeScale() {
  static const DWORD scale = [] {
    const char* text = std::getenv("ZURU_TIME_SCALE");
    if (text == nullptr) return DWORD{1};
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return (end != text && *end == '\0' && value >= 1 && value <= 100) ? static_cast<DWORD>(value)
                                                                       : DWORD{1};
  }();
  return scale;
}

class ScaledMs;
ScaledMs Deadline(DWORD ms);

// Milliseconds already stretched by the scale.
class ScaledMs {
 public:
  // For the Win32 calls that take a time-out.
  DWORD Ms() const { return m_ms; }

 private:
  explicit ScaledMs(DWORD ms) : m_ms(ms) {}
  friend ScaledMs Deadline(DWORD ms);
  DWORD m_ms;
};

inline ScaledMs Deadline(DWORD ms) { return ScaledMs(ms * TimeScale()); }

}  // namespace test_support
