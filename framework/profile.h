#pragma once
// One section of the settings store, HKCU\software\<company>\<application
// name>\<section>, opened once for several values. The key path is created
// where missing as the section is opened.
#include <windows.h>

class CWinApp;

class CProfileSection {
 public:
  CProfileSection(CWinApp& app, const char* section);
  ~CProfileSection();
  CProfileSection(const CProfileSection&) = delete;
  CProfileSection& operator=(const CProfileSection&) = delete;

  // The default when the section could not be opened, the value does not exist
  // or is longer than four bytes.
  UINT GetInt(const char* entry, int defaultValue) const;
  // Stores a REG_DWORD; false when the section or the value could not be written.
  BOOL WriteInt(const char* entry, int value) const;

 private:
  HKEY m_key;
};
