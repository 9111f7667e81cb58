// How long saving the runway file takes natively, against a plain copy of the same
// file (read once, written once), for files of 1k to 1M lines. Prints figures; it
// passes or fails nothing.
//
//   runway_file_bench [runs [folder]]   (runs: 0 or none for 51 to 7 by size)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/runway_file.h"

namespace fs = std::filesystem;

namespace {

// The replace step of a save on Linux: rename replaces in one step.
bool ReplaceByRename(const char* from, const char* to) { return std::rename(from, to) == 0; }

const std::string kFirstHeader = "[EDDF]";
const std::string kSecondHeader = "[KJFK]";

// A runway file of `lines` lines: mostly other airports, the two sections of the
// adventure somewhere in the middle, as a file that has grown over years looks.
std::string MakeRunwayFile(std::size_t lines) {
  std::string text;
  text.reserve(lines * 20);
  std::size_t written = 0;
  std::size_t airport = 0;
  auto line = [&](const std::string& content) {
    text += content;
    text += "\r\n";
    ++written;
  };
  while (written < lines) {
    if (airport == 7) {
      line(kFirstHeader);
      line("07L (no ILS/only TO)");
      line("25R (110.30/only landing)");
    } else if (airport == 11) {
      line(kSecondHeader);
      line("04L (110.90)");
    } else {
      line("[K" + std::to_string(100000 + airport) + "]");
      for (int runway = 1; runway <= 4 && written < lines; ++runway) {
        line(std::to_string(runway * 9) + "L (1" + std::to_string(airport % 10) + "8.50)");
      }
    }
    ++airport;
  }
  return text;
}

bool WriteAll(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

std::string ReadAll(const std::string& path) {
  std::string bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return bytes;
  char chunk[65536];
  std::size_t count;
  while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, count);
  std::fclose(file);
  return bytes;
}

template <typename Step>
double TimeMs(Step step) {
  const auto start = std::chrono::steady_clock::now();
  step();
  const auto end = std::chrono::steady_clock::now();
  return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int runsGiven = argc > 1 ? std::max(0, std::atoi(argv[1])) : 0;
  const fs::path folder =
      argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "zuru-runway-bench";
  fs::create_directories(folder);
  const std::string file = (folder / kRunwayFileName).string();
  const std::string twin = (folder / kRunwayTwinName).string();
  const std::string copy = (folder / "copy.ini").string();

  std::printf("Saving the runway file natively (WriteRunwayFile) against a plain copy\n");
  std::printf("(read once, written once) of the same file; medians. Goal: save/copy <= 3,\n");
  std::printf("growth per 10x size about 10 (linear). Folder: %s\n\n", folder.string().c_str());
  std::printf("%9s %11s %10s %10s %10s %12s\n", "lines", "bytes", "save ms", "copy ms", "save/copy",
              "growth/10x");

  double previousSave = 0;
  bool allSaved = true;
  for (std::size_t lines : {1000u, 10000u, 100000u, 1000000u}) {
    const std::string content = MakeRunwayFile(lines);
    if (!WriteAll(file, content)) {
      std::printf("cannot write %s\n", file.c_str());
      return 1;
    }
    const RunwayLists lists = ReadRunwayFile(kFirstHeader, kSecondHeader, file);
    const int runs = runsGiven > 0 ? runsGiven : lines <= 10000 ? 51 : lines <= 100000 ? 15 : 7;

    // Interleaved, so that both see the same state of a shared machine.
    std::vector<double> saves, copies;
    for (int run = 0; run < runs; ++run) {
      saves.push_back(TimeMs([&] {
        allSaved = WriteRunwayFile(kFirstHeader, kSecondHeader, lists.first, lists.second,
                                   ReplaceByRename, file, twin) &&
                   allSaved;
      }));
      copies.push_back(TimeMs([&] { WriteAll(copy, ReadAll(file)); }));
    }
    const double save = Median(saves);
    const double plainCopy = Median(copies);

    char growth[32] = "-";
    if (previousSave > 0) std::snprintf(growth, sizeof growth, "%.1f", save / previousSave);
    std::printf("%9zu %11zu %10.2f %10.2f %10.2f %12s\n", lines, content.size(), save, plainCopy,
                save / plainCopy, growth);
    std::fflush(stdout);
    previousSave = save;
  }
  fs::remove_all(folder);
  if (!allSaved) std::printf("note: a save reported failure\n");
  return allSaved ? 0 : 1;
}
