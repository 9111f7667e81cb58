// The settings store of the application object: per-user values in the
// registry under HKCU\software\<company>\<application name>\<section>.
#include <windows.h>

#include <initializer_list>

#include "framework/profile.h"

#include "framework/app.h"

HKEY CWinApp::OpenSectionKey(const char* section) {
  if (m_registryKey.empty()) {
    return nullptr;  // without a company key the program keeps no settings
  }
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "software", 0, KEY_READ | KEY_WRITE, &key) !=
      ERROR_SUCCESS) {
    return nullptr;
  }
  // Each level is created when missing; the parent is closed once the child is open.
  for (const char* name : {m_registryKey.c_str(), m_appName.c_str(), section}) {
    HKEY child = nullptr;
    DWORD disposition = 0;
    const LONG status = RegCreateKeyExA(key, name, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_READ | KEY_WRITE, nullptr, &child, &disposition);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
      return nullptr;
    }
    key = child;
  }
  return key;
}

CProfileSection::CProfileSection(CWinApp& app, const char* section)
    : m_key(app.OpenSectionKey(section)) {}

CProfileSection::~CProfileSection() {
  if (m_key) RegCloseKey(m_key);
}

UINT CProfileSection::GetInt(const char* entry, int defaultValue) const {
  if (!m_key) {
    return static_cast<UINT>(defaultValue);
  }
  // The type is not tested: a value of up to four bytes is taken as its bytes,
  // little-endian and padded with zeros; a longer one does not fit and gives the default.
  BYTE bytes[4] = {};
  DWORD size = sizeof(bytes);
  DWORD type = 0;
  const LONG status = RegQueryValueExA(m_key, entry, nullptr, &type, bytes, &size);
  if (status != ERROR_SUCCESS || size > sizeof(bytes)) {
    return static_cast<UINT>(defaultValue);
  }
  return static_cast<UINT>(bytes[0]) | static_cast<UINT>(bytes[1]) << 8 |
         static_cast<UINT>(bytes[2]) << 16 | static_cast<UINT>(bytes[3]) << 24;
}

BOOL CProfileSection::WriteInt(const char* entry, int value) const {
  if (!m_key) {
    return FALSE;
  }
  const DWORD data = static_cast<DWORD>(value);
  return RegSetValueExA(m_key, entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                        sizeof(data)) == ERROR_SUCCESS;
}
