#include "core/c_number_text.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace {

char LocalePoint() {
  const char* point = std::localeconv()->decimal_point;
  return point != nullptr && point[0] != '\0' ? point[0] : '.';
}

void ReplacePoint(std::string& text, char from, char to) {
  if (from == to) return;
  for (char& c : text) {
    if (c == from) c = to;
  }
}

}  // namespace

std::string FormatDouble(const char* format, double value, int precision) {
  const auto print = [&](char* buffer, std::size_t size) {
    return precision < 0 ? std::snprintf(buffer, size, format, value)
                         : std::snprintf(buffer, size, format, precision, value);
  };
  const int length = print(nullptr, 0);
  if (length <= 0) return std::string();
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  print(&text[0], text.size());
  text.resize(static_cast<std::size_t>(length));
  ReplacePoint(text, LocalePoint(), '.');
  return text;
}

double ParseDouble(std::string text) {
  ReplacePoint(text, '.', LocalePoint());
  return std::strtod(text.c_str(), nullptr);
}
