#include "core/c_number_text.h"

#include <clocale>
#include <cstdarg>
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

std::string FormatDouble(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  std::va_list again;
  va_copy(again, arguments);
  const int length = std::vsnprintf(nullptr, 0, format, arguments);
  va_end(arguments);
  std::string text;
  if (length > 0) {
    text.assign(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(&text[0], text.size(), format, again);
    text.resize(static_cast<std::size_t>(length));
    ReplacePoint(text, LocalePoint(), '.');
  }
  va_end(again);
  return text;
}

double ParseDouble(std::string text) {
  ReplacePoint(text, '.', LocalePoint());
  return std::strtod(text.c_str(), nullptr);
}
