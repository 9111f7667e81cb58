#include "core/runway_text.h"

#include <cstring>
#include <string_view>

namespace {

// Lines are read in pieces of at most this many characters, as a 256-character
// line buffer always did; each piece counts as a line of its own.
constexpr std::size_t kPieceLength = 254;
constexpr const char* kLineEnd = "\r\n";

struct Piece {
  std::string_view text;  // without its line end; points into the file's bytes
  bool hasLineEnd = false;
};

// Splits the bytes of a file into pieces. "\r\n" and a lone "\n" end a line; a
// carriage return that is not followed by a line feed is an ordinary character.
class PieceReader {
 public:
  explicit PieceReader(const std::string& bytes) : m_data(bytes.data()), m_size(bytes.size()) {}

  bool Next(Piece& piece) {
    if (m_pos >= m_size) return false;
    // The line runs to the next "\n"; a "\r" right before it is part of its end.
    const char* begin = m_data + m_pos;
    const void* newline = std::memchr(begin, '\n', m_size - m_pos);
    std::size_t length = newline ? static_cast<const char*>(newline) - begin : m_size - m_pos;
    std::size_t endLength = 0;
    if (newline) {
      endLength = 1;
      if (length > 0 && begin[length - 1] == '\r') {
        --length;
        endLength = 2;
      }
    }
    if (length > kPieceLength) {
      // A full piece is cut here; a piece of exactly full length followed by
      // its line end keeps that end (above).
      piece.text = std::string_view(begin, kPieceLength);
      piece.hasLineEnd = false;
      m_pos += kPieceLength;
      return true;
    }
    piece.text = std::string_view(begin, length);
    piece.hasLineEnd = endLength > 0;
    m_pos += length + endLength;
    return true;
  }

 private:
  const char* m_data;
  std::size_t m_size;
  std::size_t m_pos = 0;
};

enum class Section { kNone, kFirst, kSecond };
enum class LineKind { kFirstHeader, kSecondHeader, kOtherHeader, kBody };

// Most lines are entries, told apart from a header by their first character.
bool BeginsWith(std::string_view line, const std::string& prefix) {
  if (line.size() < prefix.size()) return false;
  if (prefix.empty()) return true;
  return line[0] == prefix[0] && std::memcmp(line.data(), prefix.data(), prefix.size()) == 0;
}

// The first header is tested first, so with equal headers every section under
// them belongs to the first airport. Any line that begins with "[" ends a section.
LineKind Classify(std::string_view line, const std::string& firstHeader,
                  const std::string& secondHeader) {
  if (BeginsWith(line, firstHeader)) return LineKind::kFirstHeader;
  if (BeginsWith(line, secondHeader)) return LineKind::kSecondHeader;
  if (!line.empty() && line[0] == '[') return LineKind::kOtherHeader;
  return LineKind::kBody;
}

Section SectionAfter(LineKind kind, Section current) {
  switch (kind) {
    case LineKind::kFirstHeader:
      return Section::kFirst;
    case LineKind::kSecondHeader:
      return Section::kSecond;
    case LineKind::kOtherHeader:
      return Section::kNone;
    case LineKind::kBody:
      break;
  }
  return current;
}

// Text written through the program's line ends: every "\n" becomes "\r\n".
void AppendLine(std::string& out, const std::string& text) {
  std::size_t start = 0;
  for (std::size_t newline; (newline = text.find('\n', start)) != std::string::npos;
       start = newline + 1) {
    out.append(text, start, newline - start);
    out += kLineEnd;
  }
  out.append(text, start, std::string::npos);
  out += kLineEnd;
}

void AppendSection(std::string& out, const std::string& header,
                   const std::vector<std::string>& entries) {
  AppendLine(out, header);
  for (const std::string& entry : entries) AppendLine(out, entry);
}

}  // namespace

RunwayLists ReadRunwayText(const std::string& firstHeader, const std::string& secondHeader,
                           const std::string& text) {
  RunwayLists lists;
  PieceReader reader(text);
  Piece piece;
  Section section = Section::kNone;
  while (reader.Next(piece)) {
    const LineKind kind = Classify(piece.text, firstHeader, secondHeader);
    section = SectionAfter(kind, section);
    if (kind != LineKind::kBody) continue;
    if (section == Section::kFirst) lists.first.emplace_back(piece.text);
    if (section == Section::kSecond) lists.second.emplace_back(piece.text);
  }
  return lists;
}

std::string WriteRunwayText(const std::string& firstHeader, const std::string& secondHeader,
                            const std::vector<std::string>& first,
                            const std::vector<std::string>& second, const std::string& oldText) {
  // Room for the copied lines, both sections and an eighth more for line ends
  // that grow from "\n" to "\r\n": the text seldom has to move while it grows.
  std::size_t sectionsSize = firstHeader.size() + secondHeader.size() + 4;
  for (const auto* rows : {&first, &second}) {
    for (const std::string& row : *rows) sectionsSize += row.size() + 2;
  }
  std::string text;
  text.reserve(oldText.size() + oldText.size() / 8 + sectionsSize);
  PieceReader reader(oldText);
  Piece piece;
  Section section = Section::kNone;
  bool atLineStart = true;
  while (reader.Next(piece)) {
    const LineKind kind = Classify(piece.text, firstHeader, secondHeader);
    section = SectionAfter(kind, section);
    if (section != Section::kNone) continue;  // the two sections are written anew below
    text += piece.text;
    if (piece.hasLineEnd) text += kLineEnd;
    atLineStart = piece.hasLineEnd;
  }
  // A copied last line without its line end must not run into the first header.
  if (!atLineStart) text += kLineEnd;

  AppendSection(text, firstHeader, first);
  AppendSection(text, secondHeader, second);
  return text;
}
