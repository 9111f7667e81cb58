// The airport headers of any adventure path: either none, or "[" + four
// characters + "]" twice, cut from the eight characters in front of the first
// ".TXT", which must start the base name.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/airport_headers.h"
#include "core/command_line.h"
#include "fuzz/check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path(reinterpret_cast<const char*>(data), size);
  const std::optional<AirportHeaders> headers = AirportHeadersFromPath(path);

  const std::string upper = UpperCaseAscii(path);
  const std::size_t extension = upper.find(".TXT");
  const std::size_t backslash = upper.rfind('\\');
  const std::size_t base = backslash == std::string::npos ? 0 : backslash + 1;
  const bool valid = extension != std::string::npos && extension >= base && extension - base == 8;

  FUZZ_CHECK(headers.has_value() == valid);
  if (!headers) return 0;
  FUZZ_CHECK(headers->first == "[" + upper.substr(base, 4) + "]");
  FUZZ_CHECK(headers->second == "[" + upper.substr(base + 4, 4) + "]");
  return 0;
}
