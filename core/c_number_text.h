#pragma once
// printf and strtod for decimal numbers, with '.' as the decimal point whatever
// the C locale says. They keep the EXE small: they link the C runtime's printf
// and strtod (mingw-w64's own, statically), far smaller than the tables of
// libstdc++'s std::to_chars and std::from_chars for floating point.
#include <cstdio>
#include <string>

// The format attribute's kind for the C runtime's printf: mingw-w64's own printf
// (C99, what libstdc++ selects) on Windows, the C library's elsewhere.
#ifdef __MINGW_PRINTF_FORMAT
#define ZURU_PRINTF_FORMAT __MINGW_PRINTF_FORMAT
#else
#define ZURU_PRINTF_FORMAT printf
#endif

// One double through a printf format with a single conversion (a precision
// argument "*" before it, an int, if the format has one), held whole. The
// compiler checks the arguments against the format at each call, as for printf:
// FormatDouble("%.*g", 6, value).
std::string FormatDouble(const char* format, ...) __attribute__((format(ZURU_PRINTF_FORMAT, 1, 2)));

// strtod of text written with '.', such as "110.30" or "1e-5"; out-of-range
// values give +-HUGE_VAL or 0 as strtod does.
double ParseDouble(std::string text);
