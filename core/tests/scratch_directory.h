#pragma once
// A fresh, empty directory for one test, removed with everything in it at the end.
#include <filesystem>
#include <string>

class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of `name` inside the directory, as the narrow string the file
  // functions take.
  std::string File(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

// Whole-file helpers that work on bytes, never on text-mode translations.
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
bool FileExists(const std::string& path);

// Puts `from` in the place of `to`, replacing it, on every platform.
bool ReplaceForTests(const char* from, const char* to);
