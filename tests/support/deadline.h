#pragma once
// Every deadline of the tests goes through Deadline(): on a slow machine (an
// emulated one runs programs 5 to 10 times slower) ZURU_TIME_SCALE, a whole
// number, stretches them all alike. Unset, or not a number from 1 to 100, it
// is 1. Only how long a test waits changes, never what it expects.
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

inline DWORD Deadline(DWORD ms) { return ms * TimeScale(); }

}  // namespace test_support
