#include "driver/files.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "driver/wait.h"

namespace e2e {

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::string ZuruExePath() {
  // Another build of ZURU.EXE under test (a signed copy), as a Windows path.
  const char* underTest = std::getenv("ZURU_EXE_UNDER_TEST");
  if (underTest && *underTest) return underTest;
  return ProgramFolder() + "ZURU.EXE";
}

std::string StubPath(const std::string& exeName) { return ProgramFolder() + "stubs\\" + exeName; }

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFile(const std::string& path) {
  std::string content;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, n);
    std::fclose(file);
  }
  return content;
}

bool WriteFile(const std::string& path, const std::string& content) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
  return std::fclose(file) == 0 && written;
}

bool CopyFileTo(const std::string& from, const std::string& to) {
  return CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
}

namespace {

// Deletes a folder tree; false when something is still in use.
bool RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + "\\");
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  return RemoveDirectoryA(folder.c_str()) != 0;
}

}  // namespace

TestFolder::TestFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  static int counter = 0;
  for (;;) {
    m_path = std::string(temp) + "zuru-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(++counter) + "\\";
    if (CreateDirectoryA(m_path.c_str(), nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS)
      throw std::runtime_error("no test folder " + m_path);
  }
}

TestFolder::~TestFolder() {
  // Lets a held stand-in end; its program file stays in use until it has.
  DeleteFileA((m_path + "stub-hold").c_str());
  if (GetEnvironmentVariableA("ZURU_E2E_KEEP", nullptr, 0) != 0) return;
  WaitUntil([this] { return RemoveTree(m_path); }, Deadline(5000));
}

void TestFolder::AddZuru() const {
  if (!CopyFileTo(ZuruExePath(), m_path + "ZURU.EXE"))
    throw std::runtime_error("cannot copy " + ZuruExePath());
}

void TestFolder::AddStub(const std::string& exeName) const {
  if (!CopyFileTo(StubPath(exeName), m_path + exeName))
    throw std::runtime_error("cannot copy " + StubPath(exeName));
}

}  // namespace e2e
