#include "core/exchange_text.h"

#include "core/c_number_text.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace {

// What the exchange reads of a field: its first 31 characters, up to a zero.
std::string ReadPartOfField(const std::string& text) {
  std::string window = text.substr(0, kExchangeTextLimit);
  return window.substr(0, window.find('\0'));
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipBlanks(const std::string& text, std::size_t pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  return pos;
}

// Only blanks and tabs may follow the number.
bool OnlyBlanksFrom(const std::string& text, std::size_t pos) {
  return SkipBlanks(text, pos) == text.size();
}

// Reads an integer text with the shared rules of both integer kinds: the value
// saturates at `lowest`/`highest`, zero needs '0' as its lead character.
template <typename Int>
std::optional<Int> ParseIntegerText(const std::string& text, bool allowMinus) {
  const std::string window = ReadPartOfField(text);
  std::size_t pos = SkipBlanks(window, 0);
  const char lead = pos < window.size() ? window[pos] : '\0';
  if (!allowMinus && lead == '-') return std::nullopt;

  bool negative = false;
  if (lead == '+' || lead == '-') {
    negative = lead == '-';
    ++pos;
  }
  // More than any 32-bit value, so the magnitude can be held without overflow.
  constexpr std::uint64_t kCap = 1ull << 33;
  std::uint64_t magnitude = 0;
  while (pos < window.size() && IsDigit(window[pos])) {
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(window[pos] - '0');
    if (magnitude > kCap) magnitude = kCap;
    ++pos;
  }

  const std::int64_t signedValue =
      negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
  constexpr std::int64_t lowest = std::numeric_limits<Int>::lowest();
  constexpr std::int64_t highest = std::numeric_limits<Int>::max();
  const Int value = static_cast<Int>(signedValue < lowest    ? lowest
                                     : signedValue > highest ? highest
                                                             : signedValue);

  if (value == 0 && lead != '0') return std::nullopt;
  if (!OnlyBlanksFrom(window, pos)) return std::nullopt;
  return value;
}

// The decimal number at `pos`: sign, digits with at most one point, an optional
// exponent (e, E, d or D). Gives its end, or `pos` when there is no number.
// `normalised` receives the unsigned number in a form strtod reads.
std::size_t ScanDecimal(const std::string& text, std::size_t pos, bool& negative,
                        std::string& normalised) {
  std::size_t at = pos;
  negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
    negative = text[at] == '-';
    ++at;
  }
  normalised.clear();
  int digits = 0;
  bool seenPoint = false;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (IsDigit(c)) {
      ++digits;
      normalised.push_back(c);
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
      normalised.push_back('.');
    } else {
      break;
    }
  }
  if (digits == 0) return pos;

  if (at < text.size() &&
      (text[at] == 'e' || text[at] == 'E' || text[at] == 'd' || text[at] == 'D')) {
    std::size_t e = at + 1;
    const bool signedExponent = e < text.size() && (text[e] == '+' || text[e] == '-');
    if (signedExponent) ++e;
    if (e < text.size() && IsDigit(text[e])) {
      normalised += 'e';
      if (signedExponent) normalised += text[at + 1];
      for (; e < text.size() && IsDigit(text[e]); ++e) normalised += text[e];
      at = e;
    }
    // A letter without exponent digits is not part of the number.
  }
  return at;
}

}  // namespace

std::optional<std::int32_t> ParseIntText(const std::string& text) {
  return ParseIntegerText<std::int32_t>(text, true);
}

std::optional<std::uint32_t> ParseUIntText(const std::string& text) {
  return ParseIntegerText<std::uint32_t>(text, false);
}

std::optional<float> ParseFloatText(const std::string& text) {
  const std::string window = ReadPartOfField(text);
  const std::size_t start = SkipBlanks(window, 0);
  const char lead = start < window.size() ? window[start] : '\0';

  bool negative = false;
  std::string normalised;
  const std::size_t end = ScanDecimal(window, start, negative, normalised);

  double magnitude = 0.0;
  if (end != start) {
    magnitude = ParseDouble(normalised);  // overflow gives HUGE_VAL, underflow 0
  }

  // Zero is accepted only when written with a leading '0', so a number too
  // small even for double precision is rejected. Narrowed to single precision
  // only then, and held at its largest value rather than made infinite.
  if (magnitude == 0.0 && lead != '0') return std::nullopt;
  const float single = magnitude > FLT_MAX ? FLT_MAX : static_cast<float>(magnitude);
  if (!OnlyBlanksFrom(window, end)) return std::nullopt;
  return negative ? -single : single;
}

std::string FormatIntText(std::int32_t value) { return std::to_string(value); }

std::string FormatUIntText(std::uint32_t value) { return std::to_string(value); }

std::string FormatFloatText(float value) {
  return FormatDouble("%.*g", 6, static_cast<double>(value));
}

std::string FillRangeMessage(const std::string& message, std::uint32_t minimum,
                             std::uint32_t maximum) {
  std::string filled;
  for (std::size_t i = 0; i < message.size(); ++i) {
    if (message[i] == '%' && i + 1 < message.size() &&
        (message[i + 1] == '1' || message[i + 1] == '2')) {
      filled += FormatUIntText(message[i + 1] == '1' ? minimum : maximum);
      ++i;
    } else {
      filled.push_back(message[i]);
    }
  }
  return filled;
}
