#include "setup_driver.h"

#include <sddl.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "driver/files.h"
#include "driver/process.h"

#include "tests/support/deadline.h"

namespace setup {
namespace {

const test_support::ScaledMs kRunTimeout = test_support::Deadline(60000);
constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kSetupKey = "Software\\Ostrelle\\ZURU Setup";

std::string WithoutTrailingBackslash(std::string folder) {
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

DWORD Run(const std::string& exe, const std::string& parameters) {
  e2e::Process process(exe, "\"" + exe + "\" " + parameters, e2e::ProgramFolder());
  std::optional<DWORD> code = process.WaitForExit(kRunTimeout);
  if (!code) throw std::runtime_error(exe + " " + parameters + " did not end within a minute");
  return *code;
}

bool IsOurs(const std::string& keyName) {
  const std::string shared = kSharedEntryName;
  return keyName == shared || keyName.rfind(shared + " ", 0) == 0;
}

Entry ReadValues(HKEY key) {
  Entry values;
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD nameLength = sizeof name, type = 0;
    BYTE data[2048];
    DWORD dataLength = sizeof data;
    if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &dataLength) !=
        ERROR_SUCCESS)
      break;
    if (type == REG_DWORD && dataLength == sizeof(DWORD)) {
      DWORD number;
      memcpy(&number, data, sizeof number);
      values[name] = std::to_string(number);
    } else {
      std::string text(reinterpret_cast<char*>(data), dataLength);
      values[name] = text.substr(0, text.find('\0'));
    }
  }
  return values;
}

// The names of our keys under the Uninstall key.
std::vector<std::string> OurKeyNames() {
  std::vector<std::string> names;
  HKEY uninstall;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKey, 0, KEY_READ, &uninstall) != ERROR_SUCCESS)
    return names;
  char name[256];
  for (DWORD index = 0; RegEnumKeyA(uninstall, index, name, sizeof name) == ERROR_SUCCESS; ++index)
    if (IsOurs(name)) names.push_back(name);
  RegCloseKey(uninstall);
  return names;
}

}  // namespace

std::string SetupPath() {
  return e2e::ProgramFolder() + "zuru-" ZURU_PRODUCT_VERSION_TEXT "-setup.exe";
}
std::string CompilerStandIn() { return e2e::StubPath("zuru2.exe"); }
std::string OtherBuildOfOurs(const std::string& name) {
  return e2e::ProgramFolder() + "install\\" + name + "\\ZURU.EXE";
}

std::string VersionString(const std::string& program, const std::string& name) {
  DWORD ignored = 0;
  std::vector<char> record(GetFileVersionInfoSizeA(program.c_str(), &ignored));
  if (record.empty() ||
      !GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(record.size()), record.data()))
    return {};
  WORD* language = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(record.data(), "\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&language), &length) ||
      length < 2 * sizeof(WORD))
    return {};
  char path[64];
  std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\", language[0], language[1]);
  char* text = nullptr;
  if (!VerQueryValueA(record.data(), (path + name).c_str(), reinterpret_cast<void**>(&text),
                      &length) ||
      length == 0)
    return {};
  return std::string(text, strnlen(text, length));
}

Files ReadFolder(const std::string& folder) {
  Files files;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      files[found.cFileName] = e2e::ReadFile(folder + found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return files;
}

unsigned long long LastChanged(const std::string& folder) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(WithoutTrailingBackslash(folder).c_str(), GetFileExInfoStandard, &data))
    throw std::runtime_error("cannot look at " + folder);
  return (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
         data.ftLastWriteTime.dwLowDateTime;
}

void EmptyFolder(const std::string& folder) {
  for (const auto& [name, bytes] : ReadFolder(folder)) {
    SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA((folder + name).c_str());
  }
}

void WriteFolder(const std::string& folder, const Files& files) {
  CreateDirectoryA(folder.c_str(), nullptr);
  for (const auto& [name, bytes] : files)
    if (!e2e::WriteFile(folder + name, bytes)) throw std::runtime_error("cannot write " + name);
}

DWORD RunSetup(const std::string& folder) { return RunSetupAs(WithoutTrailingBackslash(folder)); }

DWORD RunSetupAs(const std::string& folder) { return Run(SetupPath(), "/S /D=" + folder); }

DWORD RunUninstaller(const std::string& folder, bool removeOptions) {
  e2e::TestFolder elsewhere;
  const std::string copy = elsewhere / kUninstaller;
  if (!e2e::CopyFileTo(folder + kUninstaller, copy))
    throw std::runtime_error(std::string("there is no ") + kUninstaller + " in " + folder);
  return Run(copy, std::string("/S ") + (removeOptions ? "/REMOVEOPTIONS " : "") +
                       "_?=" + WithoutTrailingBackslash(folder));
}

Entries UninstallEntries() {
  Entries entries;
  for (const std::string& name : OurKeyNames()) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kUninstallKey) + "\\" + name).c_str(), 0,
                      KEY_READ, &key) != ERROR_SUCCESS)
      continue;
    entries[name] = ReadValues(key);
    RegCloseKey(key);
  }
  return entries;
}

void WriteSharedEntry(const Entry& values) {
  HKEY key;
  const std::string path = std::string(kUninstallKey) + "\\" + kSharedEntryName;
  if (RegCreateKeyA(HKEY_LOCAL_MACHINE, path.c_str(), &key) != ERROR_SUCCESS)
    throw std::runtime_error("cannot write " + path);
  for (const auto& [name, text] : values)
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
  RegCloseKey(key);
}

std::string LastFolder() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSetupKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
  const Entry values = ReadValues(key);
  RegCloseKey(key);
  return values.count("LastFolder") ? values.at("LastFolder") : "";
}

void DeleteSetupRegistry() {
  for (const std::string& name : OurKeyNames())
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (std::string(kUninstallKey) + "\\" + name).c_str());
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSetupKey);
}

void RefuseEntryWrites(const std::string& name) {
  const std::string path = std::string(kUninstallKey) + "\\" + name;
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, WRITE_DAC, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot open " + path);
  // Everyone: read and delete (so that the tests can clean up), nothing else;
  // protected from what the parent key would pass on.
  PSECURITY_DESCRIPTOR readAndDelete = nullptr;
  const bool refused =
      ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KRSD;;;WD)", SDDL_REVISION_1,
                                                           &readAndDelete, nullptr) &&
      RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readAndDelete) == ERROR_SUCCESS;
  if (readAndDelete) LocalFree(readAndDelete);
  RegCloseKey(key);
  if (!refused) throw std::runtime_error("cannot refuse writes to " + path);
}

HeldFile::HeldFile(const std::string& path, DWORD share)
    : m_handle(CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr)) {
  if (m_handle == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot hold " + path);
}

HeldFile::~HeldFile() { CloseHandle(m_handle); }

unsigned long long FreeBytes(const std::string& folder) {
  ULARGE_INTEGER available = {};
  if (!GetDiskFreeSpaceExA(folder.c_str(), &available, nullptr, nullptr))
    throw std::runtime_error("cannot ask for the free space of " + folder);
  return available.QuadPart;
}

void FillDisk(const std::string& path, unsigned long long leaveFree) {
  const std::string folder = path.substr(0, path.find_last_of('\\') + 1);
  unsigned long long toWrite = FreeBytes(folder);
  toWrite = toWrite > leaveFree ? toWrite - leaveFree : 0;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + path);
  const std::vector<char> chunk(64 * 1024, 'x');
  while (toWrite > 0) {
    DWORD piece = static_cast<DWORD>(toWrite < chunk.size() ? toWrite : chunk.size()), written = 0;
    if (!::WriteFile(file, chunk.data(), piece, &written, nullptr) || written == 0) break;
    toWrite -= written;
  }
  CloseHandle(file);
}

}  // namespace setup
