// The three edit-field parsers on any text: only the first 31 characters count,
// an accepted integer re-formatted and re-parsed gives the same value, and no
// accepted number is NaN. Also the range message on any text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "core/exchange_text.h"
#include "fuzz/check.h"

namespace {

template <typename T>
bool SameResult(const std::optional<T>& a, const std::optional<T>& b) {
  if (a.has_value() != b.has_value()) return false;
  if (!a) return true;
  // Compared as bits, so that two NaNs (which must not occur) or -0/+0 still differ.
  return std::memcmp(&*a, &*b, sizeof(T)) == 0;
}

std::uint32_t Word(const std::uint8_t* data, std::size_t size) {
  std::uint32_t word = 0;
  std::memcpy(&word, data, size < sizeof word ? size : sizeof word);
  return word;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string window = text.substr(0, kExchangeTextLimit);

  const std::optional<std::int32_t> signedValue = ParseIntText(text);
  FUZZ_CHECK(SameResult(signedValue, ParseIntText(window)));
  if (signedValue) FUZZ_CHECK(ParseIntText(FormatIntText(*signedValue)) == signedValue);

  const std::optional<std::uint32_t> unsignedValue = ParseUIntText(text);
  FUZZ_CHECK(SameResult(unsignedValue, ParseUIntText(window)));
  if (unsignedValue) FUZZ_CHECK(ParseUIntText(FormatUIntText(*unsignedValue)) == unsignedValue);

  const std::optional<float> floatValue = ParseFloatText(text);
  FUZZ_CHECK(SameResult(floatValue, ParseFloatText(window)));
  if (floatValue) FUZZ_CHECK(!std::isnan(*floatValue));

  // Any 32-bit value survives its own text, whatever text the fuzzer made.
  const std::uint32_t word = Word(data, size);
  FUZZ_CHECK(ParseUIntText(FormatUIntText(word)) == word);
  const auto asSigned = static_cast<std::int32_t>(word);
  FUZZ_CHECK(ParseIntText(FormatIntText(asSigned)) == asSigned);

  // A message without a placeholder comes back as it was.
  const std::string message = FillRangeMessage(text, word, ~word);
  if (text.find('%') == std::string::npos) FUZZ_CHECK(message == text);
  return 0;
}
