#include "core/airport_headers.h"

#include "core/command_line.h"

std::optional<AirportHeaders> AirportHeadersFromPath(const std::string& adventurePath) {
  constexpr std::size_t kBaseLength = 8;
  const std::string path = UpperCaseAscii(adventurePath);

  const std::size_t extension = path.find(".TXT");
  if (extension == std::string::npos) return std::nullopt;

  const std::size_t backslash = path.rfind('\\');
  const std::size_t baseStart = backslash == std::string::npos ? 0 : backslash + 1;
  // The first ".TXT" may lie in a directory name, before the base name starts.
  if (extension < baseStart || extension - baseStart != kBaseLength) return std::nullopt;

  return AirportHeaders{"[" + path.substr(baseStart, 4) + "]",
                        "[" + path.substr(baseStart + 4, 4) + "]"};
}
