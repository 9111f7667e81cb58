#include "core/runway_file.h"

#include <cerrno>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

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

// Creates the file at `path` with exactly `bytes`, on the disk; false when any
// step fails.
bool WriteWholeFile(const std::string& path, const std::string& bytes, SyncFileFn sync,
                    bool& created) {
  created = false;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  created = true;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = ok && std::fflush(file) == 0 && std::ferror(file) == 0 && sync(file);
  ok = std::fclose(file) == 0 && ok;
  return ok;
}

}  // namespace

bool SyncFileToDisk(std::FILE* file) {
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

RunwayLists ReadRunwayFile(const std::string& firstHeader, const std::string& secondHeader,
                           const std::string& path) {
  std::string bytes;
  if (LoadFile(path, bytes) != LoadResult::kLoaded) return {};
  return ReadRunwayText(firstHeader, secondHeader, bytes);
}

bool WriteRunwayFile(const std::string& firstHeader, const std::string& secondHeader,
                     const std::vector<std::string>& first, const std::vector<std::string>& second,
                     ReplaceFileFn replace, const std::string& path, const std::string& twinPath,
                     SyncFileFn sync) {
  if (!replace || !sync) return false;

  // A runway file that exists but cannot be read must not be replaced by one
  // that lacks its other airports.
  std::string old;
  if (LoadFile(path, old) == LoadResult::kFailed) return false;
  const std::string twin = WriteRunwayText(firstHeader, secondHeader, first, second, old);

  // The runway file is replaced only by a twin written completely.
  bool created = false;
  if (WriteWholeFile(twinPath, twin, sync, created) && replace(twinPath.c_str(), path.c_str())) {
    return true;
  }
  if (created) std::remove(twinPath.c_str());
  return false;
}
