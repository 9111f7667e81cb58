#include "core/runway_entry.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <limits>
#include <string>

namespace {

struct EntryCase {
  std::int32_t number;
  float frequency;
  int ils, left, right, usage;
  std::string entry;
};

TEST(FormatRunwayEntry, BuildsTheEntryText) {
  const EntryCase cases[] = {
      {1, 110.0f, 1, 0, 0, 0, "01 (110.00)"},
      {9, 110.3f, 1, 1, 0, 0, "09L (110.30)"},
      {27, 110.0f, 0, 0, 1, 1, "27R (no ILS/only TO)"},
      {0, 108.5f, 1, 0, 0, 2, "36 (108.50/only landing)"},
      {120, 9.5f, 1, 1, 0, 0, "120L (009.50)"},
      {-4, 110.0f, 0, 0, 0, 0, "-4 (no ILS)"},
      {100, 110.0f, 1, 0, 0, 0, "100 (110.00)"},
      {9, 110.3f, 1, 0, 0, 1, "09 (110.30/only TO)"},
      {9, 110.3f, 1, 1, 1, 0, "09L (110.30)"},                // left before right
      {9, 110.3f, 5, -1, 0, 2, "09L (110.30/only landing)"},  // any non-zero flag is set
      {9, 110.3f, 1, 0, 0, -1, "09 (110.30)"},                // no radio button
      {9, 110.3f, 1, 0, 0, 3, "09 (110.30)"},
      {9, 0.0f, 1, 0, 0, 0, "09 (000.00)"},
      {9, -9.5f, 1, 0, 0, 0, "09 (-09.50)"},
      {9, 0.004f, 1, 0, 0, 0, "09 (000.00)"},
      {9, 1234.5f, 1, 0, 0, 0, "09 (1234.50)"},
      {std::numeric_limits<std::int32_t>::min(), 110.0f, 0, 0, 0, 0, "-2147483648 (no ILS)"},
      {std::numeric_limits<std::int32_t>::max(), 110.0f, 0, 0, 0, 0, "2147483647 (no ILS)"},
  };
  for (const EntryCase& c : cases) {
    EXPECT_EQ(FormatRunwayEntry(c.number, c.frequency, c.ils, c.left, c.right, c.usage), c.entry);
  }
}

// Frequencies too long for the old 20-character text, and entries beyond 52
// characters, are held whole.
TEST(FormatRunwayEntry, HoldsHugeFrequenciesWhole) {
  const EntryCase cases[] = {
      {9, 1e16f, 1, 0, 0, 0, "09 (10000000272564224.00)"},
      {9, -1e15f, 1, 0, 0, 0, "09 (-999999986991104.00)"},
      {std::numeric_limits<std::int32_t>::min(), -FLT_MAX, 1, 1, 0, 2,
       "-2147483648L (-340282346638528859811704183484516925440.00/only landing)"},
      {9, std::numeric_limits<float>::infinity(), 1, 0, 0, 0, "09 (   inf)"},
      {9, -std::numeric_limits<float>::infinity(), 1, 0, 0, 0, "09 (  -inf)"},
      {9, std::numeric_limits<float>::quiet_NaN(), 1, 0, 0, 0, "09 (   nan)"},
  };
  for (const EntryCase& c : cases) {
    EXPECT_EQ(FormatRunwayEntry(c.number, c.frequency, c.ils, c.left, c.right, c.usage), c.entry);
  }
}

}  // namespace
