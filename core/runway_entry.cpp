#include "core/runway_entry.h"

#include "core/c_number_text.h"
#include "core/decimal_text.h"

namespace {

// "%06.2f" of the frequency widened to double, held whole however long it is
// (the largest float has 39 digits before the point).
std::string FrequencyText(float frequency) {
  return FormatDouble("%06.2f", static_cast<double>(frequency));
}

}  // namespace

std::string FormatRunwayEntry(std::int32_t number, float frequency, int ils, int left, int right,
                              int usage) {
  std::string entry = ZeroPaddedDecimal(number == 0 ? 36 : number, 2);
  if (left != 0) {
    entry += "L";
  } else if (right != 0) {
    entry += "R";
  }
  entry += ils != 0 ? " (" + FrequencyText(frequency) : std::string(" (no ILS");
  if (usage == 1) {
    entry += "/only TO";
  } else if (usage == 2) {
    entry += "/only landing";
  }
  entry += ")";
  return entry;
}
