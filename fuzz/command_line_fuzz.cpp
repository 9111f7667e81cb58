// The command-line scan on any line: upper-casing touches a..z only, and the
// adventure name is what a straightforward reading of the rules finds.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/command_line.h"
#include "fuzz/check.h"

namespace {

// The rules written out step by step: skip the program name, look for "-E" from
// one character later, skip spaces, the rest is the name.
std::optional<std::string> ExpectedName(const std::string& upper) {
  std::size_t scan = upper.size();
  const std::size_t closing =
      upper.empty() || upper[0] != '"' ? std::string::npos : upper.find('"', 1);
  if (closing != std::string::npos) {
    scan = closing + 1;
  } else {
    scan = 0;
    while (scan < upper.size() && upper[scan] != ' ') ++scan;
  }
  if (scan >= upper.size()) return std::nullopt;
  std::size_t at = std::string::npos;
  for (std::size_t i = scan + 1; i + 1 < upper.size(); ++i) {
    if (upper[i] == '-' && upper[i + 1] == 'E') {
      at = i;
      break;
    }
  }
  if (at == std::string::npos) return std::nullopt;
  at += 2;
  while (at < upper.size() && upper[at] == ' ') ++at;
  if (at == upper.size()) return std::nullopt;
  return upper.substr(at);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string raw(reinterpret_cast<const char*>(data), size);

  const std::string upper = UpperCaseAscii(raw);
  FUZZ_CHECK(upper.size() == raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    FUZZ_CHECK(upper[i] == (c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c));
  }

  // The system hands the program a zero-terminated line: nothing after a zero counts.
  const std::string line = raw.substr(0, raw.find('\0'));
  const std::optional<std::string> name = FindAdventureFile(raw);
  const std::optional<std::string> expected = ExpectedName(UpperCaseAscii(line));
  FUZZ_CHECK(name.has_value() == expected.has_value());
  if (name) FUZZ_CHECK(*name == *expected);
  return 0;
}
