#include "core/runway_entry.h"

#include <charconv>
#include <cmath>

#include "core/decimal_text.h"

namespace {

// "%06.2f" of the frequency widened to double, held whole however long it is.
std::string FrequencyText(float frequency) {
  const double value = frequency;
  if (!std::isfinite(value)) {
    // printf pads infinities and NaNs with blanks, not zeros.
    std::string text = std::isnan(value) ? "nan" : "inf";
    if (std::signbit(value)) text.insert(0, "-");
    if (text.size() < 6) text.insert(0, 6 - text.size(), ' ');
    return text;
  }
  // The largest float has 39 digits before the point.
  std::string text(64, '\0');
  const auto result =
      std::to_chars(&text[0], &text[0] + text.size(), value, std::chars_format::fixed, 2);
  text.resize(static_cast<std::size_t>(result.ptr - text.data()));
  const std::size_t digitsStart = text[0] == '-' ? 1 : 0;
  if (text.size() < 6) text.insert(digitsStart, 6 - text.size(), '0');
  return text;
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
