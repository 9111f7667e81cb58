// FormatRunwayEntry on any values: never crashes, and within the documented
// bounds (|frequency| below 10^15) builds number, side, ILS part and usage in
// their order, in at most 47 characters.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "core/runway_entry.h"
#include "fuzz/check.h"

namespace {

// printf's "%06.2f" of the frequency widened to double.
std::string FrequencyText(double frequency) {
  char text[400];
  std::snprintf(text, sizeof text, "%06.2f", frequency);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto number = input.ConsumeIntegral<std::int32_t>();
  // Raw bits, so that NaNs, infinities and denormals come up as often as others.
  const auto frequencyBits = input.ConsumeIntegral<std::uint32_t>();
  float frequency;
  static_assert(sizeof frequency == sizeof frequencyBits);
  std::memcpy(&frequency, &frequencyBits, sizeof frequency);
  const int ils = input.ConsumeIntegral<int>();
  const int left = input.ConsumeIntegral<int>();
  const int right = input.ConsumeIntegral<int>();
  const int usage = input.ConsumeIntegral<int>();

  const std::string entry = FormatRunwayEntry(number, frequency, ils, left, right, usage);
  FUZZ_CHECK(!entry.empty() && entry.back() == ')');

  const bool bounded = ils == 0 || (std::isfinite(frequency) && std::fabs(frequency) < 1e15);
  if (!bounded) return 0;

  std::string expected = std::to_string(number == 0 ? 36 : number);
  if (expected.size() < 2) expected.insert(0, "0");
  expected += left != 0 ? "L" : right != 0 ? "R" : "";
  expected += ils != 0 ? " (" + FrequencyText(frequency) : " (no ILS";
  expected += usage == 1 ? "/only TO" : usage == 2 ? "/only landing" : "";
  expected += ")";
  FUZZ_CHECK(entry == expected);
  FUZZ_CHECK(entry.size() <= 47);
  return 0;
}
