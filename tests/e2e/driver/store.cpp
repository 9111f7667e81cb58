#include "driver/store.h"

#include <stdexcept>
#include <vector>

namespace e2e {

namespace {

bool KeyExists(const char* path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// RegDeleteTree is younger than the oldest system these tests build for.
void DeleteTree(HKEY parent, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char child[256];
  DWORD length = sizeof child;
  while (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS) {
    DeleteTree(key, child);
    length = sizeof child;
  }
  RegCloseKey(key);
  RegDeleteKeyA(parent, name.c_str());
}

}  // namespace

std::optional<DWORD> StoredValue::Dword() const {
  if (type != REG_DWORD || data.size() != sizeof(DWORD)) return std::nullopt;
  DWORD value;
  memcpy(&value, data.data(), sizeof value);
  return value;
}

void DeleteStore() {
  DeleteTree(HKEY_CURRENT_USER, kCompanyKey);
  if (CompanyKeyExists()) throw std::runtime_error("cannot delete the settings store");
}

bool StoreSectionExists() { return KeyExists(kSectionKey); }

bool CompanyKeyExists() { return KeyExists(kCompanyKey); }

std::map<std::string, StoredValue> ReadStore() {
  std::map<std::string, StoredValue> values;
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSectionKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return values;
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD nameLength = sizeof name;
    DWORD type = 0;
    std::vector<BYTE> data(1024);
    DWORD dataLength = static_cast<DWORD>(data.size());
    if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data.data(), &dataLength) !=
        ERROR_SUCCESS)
      break;
    values[std::string(name, nameLength)] =
        StoredValue{type, std::string(reinterpret_cast<char*>(data.data()), dataLength)};
  }
  RegCloseKey(key);
  return values;
}

void WriteStoreDword(const std::string& name, DWORD value) {
  WriteStoreValue(name, REG_DWORD,
                  std::string(reinterpret_cast<const char*>(&value), sizeof value));
}

void WriteStoreValue(const std::string& name, DWORD type, const std::string& data) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSectionKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot create the settings section");
  LONG result =
      RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                     static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) throw std::runtime_error("cannot write value " + name);
}

}  // namespace e2e
