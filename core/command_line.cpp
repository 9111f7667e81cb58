#include "core/command_line.h"

#include <cstddef>

std::string UpperCaseAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

namespace {

// Where the program name ends: behind its closing double quote when it is quoted,
// otherwise at its first space. An opening quote that is never closed does not
// count as quoting.
std::size_t SkipProgramName(const std::string& line) {
  if (!line.empty() && line[0] == '"') {
    const std::size_t closing = line.find('"', 1);
    if (closing != std::string::npos) return closing + 1;
  }
  const std::size_t space = line.find(' ');
  return space == std::string::npos ? line.size() : space;
}

}  // namespace

std::optional<std::string> FindAdventureFile(const std::string& commandLine) {
  // The system hands us a zero-terminated line: nothing after a zero belongs to it.
  std::string line = UpperCaseAscii(commandLine.substr(0, commandLine.find('\0')));

  const std::size_t scan = SkipProgramName(line);
  if (scan >= line.size()) return std::nullopt;

  // The search starts one character after the scan position, so a switch glued to
  // a closing quote ("ZURU.EXE"-E) is not seen.
  std::size_t name = line.find("-E", scan + 1);
  if (name == std::string::npos) return std::nullopt;

  name += 2;
  while (name < line.size() && line[name] == ' ') ++name;
  if (name >= line.size()) return std::nullopt;

  return line.substr(name);
}
