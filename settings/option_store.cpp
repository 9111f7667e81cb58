#include "settings/option_store.h"

#include "framework/app.h"
#include "framework/profile.h"

// The section is opened once for all twenty values: each open walks and
// creates the whole key path, which is most of the cost of a value.
OptionSet ReadStoredOptionSet() {
  const CProfileSection store(*AfxGetApp(), kSettingsSection);
  return ReadOptionSet([&store](const char* key, std::uint32_t defaultValue) {
    return static_cast<std::uint32_t>(store.GetInt(key, static_cast<int>(defaultValue)));
  });
}

void WriteStoredOptionSet(const OptionSet& options) {
  const CProfileSection store(*AfxGetApp(), kSettingsSection);
  WriteOptionSet(options, [&store](const char* key, std::uint32_t value) {
    store.WriteInt(key, static_cast<int>(value));
  });
}
