// Saving and reloading the runway file, from any old file and any two lists:
// what is read back equals what was written, the two sections close the file,
// a second save without changes gives the same file, and lines outside the two
// sections come back unchanged.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "core/runway_file.h"
#include "fuzz/check.h"

namespace {

struct Folder {
  std::string file;
  std::string twin;
};

const Folder& WorkFolder() {
  static const Folder folder = [] {
    // In memory where there is a tmpfs: a disk file system may flush on every
    // replacing rename, which would slow the fuzzer down a hundredfold.
    std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    pattern += "/zuru-fuzz-runway-XXXXXX";
    const char* made = mkdtemp(&pattern[0]);
    if (!made) std::abort();
    const std::string dir = made;
    // Leave nothing behind when the fuzzer ends.
    static const std::string removeAtExit = "rm -rf '" + dir + "'";
    std::atexit([] { (void)std::system(removeAtExit.c_str()); });
    return Folder{dir + "/quirtel.ini", dir + "/quirtel.in2"};
  }();
  return folder;
}

std::string Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Store(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

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
    for (char& c : row) {
      if (c == '\n') c = ' ';
    }
    if (!row.empty() && row[0] == '[') row[0] = '(';
    // "\r" last would merge with the line end that follows it.
    if (!row.empty() && row.back() == '\r') row.back() = ' ';
  }
  return rows;
}

std::string Section(const std::string& header, const std::vector<std::string>& rows) {
  std::string text = header + "\r\n";
  for (const std::string& row : rows) text += row + "\r\n";
  return text;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// For an old file of whole lines (each ended by "\n" or "\r\n", at most 254
// characters without its end): its lines outside the two sections, as they must
// be copied, with "\r\n" ends.
bool WholeOtherLines(const std::string& old, const std::string& firstHeader,
                     const std::string& secondHeader, std::string& copied) {
  if (!old.empty() && old.back() != '\n') return false;
  copied.clear();
  bool inside = false;
  std::size_t start = 0;
  while (start < old.size()) {
    const std::size_t end = old.find('\n', start);
    std::string line = old.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 254) return false;
    if (StartsWith(line, firstHeader) || StartsWith(line, secondHeader)) {
      inside = true;
    } else if (StartsWith(line, "[")) {
      inside = false;
    }
    if (!inside) copied += line + "\r\n";
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Folder& folder = WorkFolder();
  FuzzedDataProvider input(data, size);
  const std::string firstHeader = Header(input);
  const std::string secondHeader = input.ConsumeBool() ? firstHeader : Header(input);
  const std::vector<std::string> first = Rows(input);
  const std::vector<std::string> second = Rows(input);
  const bool hasOldFile = input.ConsumeBool();
  const std::string old = input.ConsumeRemainingBytesAsString();

  std::remove(folder.twin.c_str());
  if (hasOldFile) {
    Store(folder.file, old);
  } else {
    std::remove(folder.file.c_str());
  }

  FUZZ_CHECK(WriteRunwayFile(firstHeader, secondHeader, first, second, ReplaceFileByRename,
                             folder.file, folder.twin));
  FUZZ_CHECK(!Exists(folder.twin));
  const std::string saved = Load(folder.file);

  const std::string sections = Section(firstHeader, first) + Section(secondHeader, second);
  FUZZ_CHECK(saved.size() >= sections.size());
  FUZZ_CHECK(saved.compare(saved.size() - sections.size(), sections.size(), sections) == 0);

  const RunwayLists back = ReadRunwayFile(firstHeader, secondHeader, folder.file);
  if (firstHeader == secondHeader) {
    std::vector<std::string> all = first;
    all.insert(all.end(), second.begin(), second.end());
    FUZZ_CHECK(back.first == all);
    FUZZ_CHECK(back.second.empty());
  } else {
    FUZZ_CHECK(back.first == first);
    FUZZ_CHECK(back.second == second);
    FUZZ_CHECK(WriteRunwayFile(firstHeader, secondHeader, back.first, back.second,
                               ReplaceFileByRename, folder.file, folder.twin));
    FUZZ_CHECK(Load(folder.file) == saved);
  }

  std::string copied;
  if (hasOldFile && WholeOtherLines(old, firstHeader, secondHeader, copied)) {
    FUZZ_CHECK(saved == copied + sections);
  }
  return 0;
}
