// The runway file's text, from any old file and any two lists, in memory: what
// is read back equals what was written, the two sections close the file, a
// second save without changes gives the same file, lines outside the two
// sections are copied unchanged, and any old file loads as rows a list can hold. (The file layer,
// which only loads, writes and replaces, has its unit and fault tests.)
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "core/runway_text.h"
#include "fuzz/check.h"

namespace {

// An airport code as a path can give it: any byte but the path separator and the
// line-ending or terminating ones.
std::string Header(FuzzedDataProvider& input) {
  static const char* const kCommon[] = {"EDDF", "KJFK", "LOWW", "EDD["};
  std::string code;
  if (input.ConsumeBool()) {
    code = kCommon[input.ConsumeIntegralInRange<int>(0, 3)];
  } else {
    for (int i = 0; i < 4; ++i) {
      char c = input.ConsumeIntegral<char>();
      if (c == '\\' || c == '\n' || c == '\r' || c == '\0') c = '_';
      code.push_back(c);
    }
  }
  return "[" + code + "]";
}

// A list row as the lists can hold it: read from the file or made by the entry
// dialog, so at most 254 characters, no line feed, and never starting with "[".
std::vector<std::string> Rows(FuzzedDataProvider& input) {
  std::vector<std::string> rows(input.ConsumeIntegralInRange<std::size_t>(0, 6));
  for (std::string& row : rows) {
    row = input.ConsumeRandomLengthString(254);
    for (std::size_t at = row.find('\n'); at != std::string::npos; at = row.find('\n', at)) {
      row[at] = ' ';
    }
    if (!row.empty() && row[0] == '[') row[0] = '(';
    // "\r" last would merge with the line end that follows it.
    if (!row.empty() && row.back() == '\r') row.back() = ' ';
  }
  return rows;
}

// Takes `line` and a "\r\n" off the front of `text`, if they are there.
bool ConsumeLine(std::string_view& text, std::string_view line) {
  if (text.size() < line.size() + 2 || text.compare(0, line.size(), line) != 0 ||
      text.compare(line.size(), 2, "\r\n") != 0) {
    return false;
  }
  text.remove_prefix(line.size() + 2);
  return true;
}

// Whether `text` is the header's line and then one line per row.
bool ConsumeSection(std::string_view& text, const std::string& header,
                    const std::vector<std::string>& rows) {
  if (!ConsumeLine(text, header)) return false;
  for (const std::string& row : rows) {
    if (!ConsumeLine(text, row)) return false;
  }
  return true;
}

std::size_t SectionSize(const std::string& header, const std::vector<std::string>& rows) {
  std::size_t size = header.size() + 2;
  for (const std::string& row : rows) size += row.size() + 2;
  return size;
}

// Whether `rows` holds `first`, then `second`.
bool IsConcatenation(const std::vector<std::string>& rows, const std::vector<std::string>& first,
                     const std::vector<std::string>& second) {
  if (rows.size() != first.size() + second.size()) return false;
  return std::equal(first.begin(), first.end(), rows.begin()) &&
         std::equal(second.begin(), second.end(), rows.begin() + first.size());
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// For an old file of whole lines (each ended by "\n" or "\r\n", at most 254
// characters without its end): whether `saved` begins with its lines outside the
// two sections, each as it was with a "\r\n" end, and has `tailSize` bytes after
// them. Other old files are not checked here.
bool OtherLinesCopied(std::string_view old, const std::string& firstHeader,
                      const std::string& secondHeader, std::string_view saved,
                      std::size_t tailSize) {
  if (!old.empty() && old.back() != '\n') return true;
  std::size_t copied = 0;  // of `saved`, checked so far
  bool inside = false;
  while (!old.empty()) {
    const std::size_t end = old.find('\n');
    std::string_view line = old.substr(0, end);
    old.remove_prefix(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > 254) return true;
    // Both headers begin with "[", as every line that ends a section does.
    if (!line.empty() && line[0] == '[') {
      inside = StartsWith(line, firstHeader) || StartsWith(line, secondHeader);
    }
    if (inside) continue;
    const std::size_t next = copied + line.size() + 2;
    if (next > saved.size() || std::memcmp(saved.data() + copied, line.data(), line.size()) != 0 ||
        std::memcmp(saved.data() + next - 2, "\r\n", 2) != 0) {
      return false;
    }
    copied = next;
  }
  return saved.size() == copied + tailSize;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string firstHeader = Header(input);
  const std::string secondHeader = input.ConsumeBool() ? firstHeader : Header(input);
  const std::vector<std::string> first = Rows(input);
  const std::vector<std::string> second = Rows(input);
  // Without an old file the file layer hands over no bytes at all.
  const bool hasOldFile = input.ConsumeBool();
  const std::string old = hasOldFile ? input.ConsumeRemainingBytesAsString() : std::string();

  const std::string saved = WriteRunwayText(firstHeader, secondHeader, first, second, old);

  // The file ends with the two sections, the first header's first.
  const std::size_t sectionsSize =
      SectionSize(firstHeader, first) + SectionSize(secondHeader, second);
  FUZZ_CHECK(saved.size() >= sectionsSize);
  std::string_view sections(saved);
  sections.remove_prefix(saved.size() - sectionsSize);
  FUZZ_CHECK(ConsumeSection(sections, firstHeader, first));
  FUZZ_CHECK(ConsumeSection(sections, secondHeader, second));

  const RunwayLists back = ReadRunwayText(firstHeader, secondHeader, saved);
  if (firstHeader == secondHeader) {
    FUZZ_CHECK(IsConcatenation(back.first, first, second));
    FUZZ_CHECK(back.second.empty());
  } else {
    FUZZ_CHECK(back.first == first);
    FUZZ_CHECK(back.second == second);
    FUZZ_CHECK(WriteRunwayText(firstHeader, secondHeader, back.first, back.second, saved) == saved);
  }

  FUZZ_CHECK(OtherLinesCopied(old, firstHeader, secondHeader, saved, sectionsSize));

  // Any old file loads as rows the lists can hold and a save can write back.
  const RunwayLists loaded = ReadRunwayText(firstHeader, secondHeader, old);
  for (const auto* rows : {&loaded.first, &loaded.second}) {
    for (const std::string& row : *rows) {
      FUZZ_CHECK(row.size() <= 254);
      FUZZ_CHECK(row.find('\n') == std::string::npos);
      FUZZ_CHECK(row.empty() || row[0] != '[');
    }
  }
  if (firstHeader == secondHeader) FUZZ_CHECK(loaded.second.empty());
  return 0;
}
