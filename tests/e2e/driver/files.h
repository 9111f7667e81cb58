#pragma once
// Files the tests prepare and inspect, and where the programs under test live.
#include <string>

namespace e2e {

// The folder of the running test program (bin/ of the build), with a trailing backslash.
std::string ProgramFolder();
// ZURU.EXE beside the test program (or the build that ZURU_EXE_UNDER_TEST
// names); the stand-ins in its stubs\ folder.
std::string ZuruExePath();
std::string StubPath(const std::string& exeName);  // "patch.exe" or "zuru2.exe"

bool FileExists(const std::string& path);
// Whole file, binary; empty when it cannot be read.
std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& content);
bool CopyFileTo(const std::string& from, const std::string& to);

// A fresh, empty folder per test under %TEMP%, removed again (with what the test
// left in it) when the object goes. Set ZURU_E2E_KEEP to keep it for a look.
class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::string& Path() const { return m_path; }  // with a trailing backslash
  std::string operator/(const std::string& name) const { return m_path + name; }

  // Copies ZURU.EXE in, and the named stand-ins ("patch.exe", "zuru2.exe").
  void AddZuru() const;
  void AddStub(const std::string& exeName) const;

 private:
  std::string m_path;
};

}  // namespace e2e
