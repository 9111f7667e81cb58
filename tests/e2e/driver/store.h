#pragma once
// The settings store of ZURU.EXE: HKCU\software\Ostrelle\ZURU\velmoraPatch.
#include <windows.h>

#include <map>
#include <optional>
#include <string>

namespace e2e {

constexpr const char* kCompanyKey = "software\\Ostrelle";
constexpr const char* kSectionKey = "software\\Ostrelle\\ZURU\\velmoraPatch";

struct StoredValue {
  DWORD type;
  std::string data;  // raw bytes
  // The value as a DWORD: set only for a REG_DWORD of four bytes.
  std::optional<DWORD> Dword() const;
};

// Removes HKCU\software\Ostrelle with everything below it; every test starts clean.
void DeleteStore();
bool StoreSectionExists();
bool CompanyKeyExists();
// Every value of the section by name; empty when the key is missing.
std::map<std::string, StoredValue> ReadStore();
void WriteStoreDword(const std::string& name, DWORD value);
void WriteStoreValue(const std::string& name, DWORD type, const std::string& data);

}  // namespace e2e
