#pragma once
// The twenty persisted options, their keys and defaults, and the rules for
// reading them from and writing them to a settings store.
#include <cstdint>
#include <string>

inline constexpr const char* kCompanyKey = "Ostrelle";
inline constexpr const char* kSettingsSection = "velmoraPatch";

struct OptionSet {
  std::int32_t userw1 = 0;
  std::int32_t userw2 = 0;
  std::int32_t nocrew = 0;
  std::int32_t newatis = 0;
  std::int32_t atistext = 0;
  std::int32_t active = 0;
  std::int32_t newatc = 0;
  std::int32_t pcm = 0;
  std::int32_t heavy = 0;
  std::uint32_t maxtime = 0;
  std::int32_t dontsetflaps = 0;
  std::int32_t noflaps = 0;
  std::uint32_t enroutealt = 420;
  std::int32_t resetalt = 0;
  std::int32_t chkspd = 0;
  std::int32_t crossing = 0;
  std::int32_t cground1 = 0;
  std::int32_t noaltcall = 0;
  std::int32_t defwavfolder = 0;
  // The traffic go-around rate; while the options dialog runs it lives in the
  // trackbar, so it is only meaningful here when read from or written to the store.
  std::int32_t traffic = 0;
};

struct OptionKey {
  const char* key;
  std::uint32_t defaultValue;
};

// The twenty keys in the order in which they are read and written.
inline constexpr int kOptionCount = 20;
extern const OptionKey kOptionKeys[kOptionCount];

// 600 or more -> 600, else 420 or less -> 420, then rounded down to a multiple of ten.
std::uint32_t NormaliseEnrouteAlt(std::uint32_t stored);

// The value of the field of key `index` (table order) as the store holds it:
// 32-bit patterns, signed fields as they are.
std::uint32_t OptionFieldValue(const OptionSet& options, int index);
void SetOptionFieldValue(OptionSet& options, int index, std::uint32_t value);

// Reads all twenty values in table order through `read(key, defaultValue)`,
// which gives the stored value; enroutealt is normalised, traffic is taken as
// stored (the trackbar keeps it within its range).
template <typename Read>
OptionSet ReadOptionSet(Read&& read) {
  OptionSet options;
  for (int i = 0; i < kOptionCount; ++i) {
    SetOptionFieldValue(options, i, read(kOptionKeys[i].key, kOptionKeys[i].defaultValue));
  }
  options.enroutealt = NormaliseEnrouteAlt(options.enroutealt);
  return options;
}

// Writes all twenty values in table order through `write(key, value)`.
template <typename Write>
void WriteOptionSet(const OptionSet& options, Write&& write) {
  for (int i = 0; i < kOptionCount; ++i) {
    write(kOptionKeys[i].key, OptionFieldValue(options, i));
  }
}
