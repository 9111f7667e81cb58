#pragma once
// Decimal text of a signed number padded with leading zeros, as printf's "%0*d"
// writes it: the sign counts towards the width, the zeros go after it.
#include <cstdint>
#include <string>

inline std::string ZeroPaddedDecimal(std::int64_t value, std::size_t width) {
  // The magnitude of the lowest 64-bit value does not fit a signed 64-bit number.
  const std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::string digits = std::to_string(magnitude);
  const std::string sign = value < 0 ? "-" : "";
  if (sign.size() + digits.size() < width) {
    digits.insert(0, width - sign.size() - digits.size(), '0');
  }
  return sign + digits;
}
