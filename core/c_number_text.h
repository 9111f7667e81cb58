#pragma once
// printf and strtod for decimal numbers, with '.' as the decimal point whatever
// the C locale says. They keep the EXE small: they link the C runtime's printf
// and strtod (mingw-w64's own, statically), far smaller than the tables of
// libstdc++'s std::to_chars and std::from_chars for floating point.
#include <string>

// One double through a printf format with a single conversion (and an optional
// precision argument when `precision` is not negative), held whole.
std::string FormatDouble(const char* format, double value, int precision = -1);

// strtod of text written with '.', such as "110.30" or "1e-5"; out-of-range
// values give +-HUGE_VAL or 0 as strtod does.
double ParseDouble(std::string text);
