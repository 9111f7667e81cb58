#include "settings/option_store.h"

#include "framework/app.h"

OptionSet ReadStoredOptionSet() {
  CWinApp* app = AfxGetApp();
  return ReadOptionSet([app](const char* key, std::uint32_t defaultValue) {
    return static_cast<std::uint32_t>(
        app->GetProfileInt(kSettingsSection, key, static_cast<int>(defaultValue)));
  });
}

void WriteStoredOptionSet(const OptionSet& options) {
  CWinApp* app = AfxGetApp();
  WriteOptionSet(options, [app](const char* key, std::uint32_t value) {
    app->WriteProfileInt(kSettingsSection, key, static_cast<int>(value));
  });
}
