#include "core/runway_file.h"

#include <cerrno>
#include <cstdio>
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
  explicit PieceReader(const std::string& bytes) : bytes_(bytes) {}

  bool Next(Piece& piece) {
    if (pos_ >= bytes_.size()) return false;
    // The line runs to the next "\n"; a "\r" right before it is part of its end.
    const std::size_t newline = bytes_.find('\n', pos_);
    std::size_t textEnd = newline == std::string::npos ? bytes_.size() : newline;
    std::size_t endLength = 0;
    if (newline != std::string::npos) {
      endLength = 1;
      if (textEnd > pos_ && bytes_[textEnd - 1] == '\r') {
        --textEnd;
        endLength = 2;
      }
    }
    if (textEnd - pos_ > kPieceLength) {
      // A full piece is cut here; a piece of exactly full length followed by
      // its line end keeps that end (above).
      piece.text = std::string_view(bytes_).substr(pos_, kPieceLength);
      piece.hasLineEnd = false;
      pos_ += kPieceLength;
      return true;
    }
    piece.text = std::string_view(bytes_).substr(pos_, textEnd - pos_);
    piece.hasLineEnd = endLength > 0;
    pos_ = textEnd + endLength;
    return true;
  }

 private:
  const std::string& bytes_;
  std::size_t pos_ = 0;
};

enum class Section { kNone, kFirst, kSecond };
enum class LineKind { kFirstHeader, kSecondHeader, kOtherHeader, kBody };

bool BeginsWith(std::string_view line, const std::string& prefix) {
  return line.size() >= prefix.size() && line.compare(0, prefix.size(), prefix) == 0;
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

enum class LoadResult { kLoaded, kMissing, kFailed };

LoadResult LoadFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  errno = 0;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return errno == ENOENT ? LoadResult::kMissing : LoadResult::kFailed;
  char chunk[4096];
  std::size_t count;
  while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, count);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return failed ? LoadResult::kFailed : LoadResult::kLoaded;
}

// Text written through the program's line ends: every "\n" becomes "\r\n".
void AppendLine(std::string& out, const std::string& text) {
  for (char c : text) {
    if (c == '\n') {
      out += kLineEnd;
    } else {
      out.push_back(c);
    }
  }
  out += kLineEnd;
}

void AppendSection(std::string& out, const std::string& header,
                   const std::vector<std::string>& entries) {
  AppendLine(out, header);
  for (const std::string& entry : entries) AppendLine(out, entry);
}

// Creates the file at `path` with exactly `bytes`; false when any step fails.
bool WriteWholeFile(const std::string& path, const std::string& bytes, bool& created) {
  created = false;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  created = true;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  ok = std::ferror(file) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  return ok;
}

}  // namespace

bool ReplaceFileByRename(const char* from, const char* to) { return std::rename(from, to) == 0; }

RunwayLists ReadRunwayFile(const std::string& firstHeader, const std::string& secondHeader,
                           const std::string& path) {
  RunwayLists lists;
  std::string bytes;
  if (LoadFile(path, bytes) != LoadResult::kLoaded) return lists;

  PieceReader reader(bytes);
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

bool WriteRunwayFile(const std::string& firstHeader, const std::string& secondHeader,
                     const std::vector<std::string>& first, const std::vector<std::string>& second,
                     ReplaceFileFn replace, const std::string& path, const std::string& twinPath) {
  if (!replace) return false;

  // A runway file that exists but cannot be read must not be replaced by one
  // that lacks its other airports.
  std::string old;
  if (LoadFile(path, old) == LoadResult::kFailed) return false;

  std::string twin;
  twin.reserve(old.size() + 64);
  PieceReader reader(old);
  Piece piece;
  Section section = Section::kNone;
  bool atLineStart = true;
  while (reader.Next(piece)) {
    const LineKind kind = Classify(piece.text, firstHeader, secondHeader);
    section = SectionAfter(kind, section);
    if (section != Section::kNone) continue;  // the two sections are written anew below
    twin += piece.text;
    if (piece.hasLineEnd) twin += kLineEnd;
    atLineStart = piece.hasLineEnd;
  }
  // A copied last line without its line end must not run into the first header.
  if (!atLineStart) twin += kLineEnd;

  AppendSection(twin, firstHeader, first);
  AppendSection(twin, secondHeader, second);

  // The runway file is replaced only by a twin written completely.
  bool created = false;
  if (WriteWholeFile(twinPath, twin, created) && replace(twinPath.c_str(), path.c_str())) {
    return true;
  }
  if (created) std::remove(twinPath.c_str());
  return false;
}
