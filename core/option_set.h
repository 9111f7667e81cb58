#pragma once
// The twenty persisted options, their keys and defaults, and the rules for
// reading them from and writing them to a settings store.
#include <cstdint>
#include <functional>
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

// A store reads one value (key, default) -> value, and writes one (key, value).
using ReadOptionValue = std::function<std::uint32_t(const char* key, std::uint32_t defaultValue)>;
using WriteOptionValue = std::function<void(const char* key, std::uint32_t value)>;

// Reads all twenty values in table order; enroutealt is normalised, traffic is
// taken as stored (the trackbar keeps it within its range).
OptionSet ReadOptionSet(const ReadOptionValue& read);
// Writes all twenty values in table order.
void WriteOptionSet(const OptionSet& options, const WriteOptionValue& write);

// 600 or more -> 600, else 420 or less -> 420, then rounded down to a multiple of ten.
std::uint32_t NormaliseEnrouteAlt(std::uint32_t stored);
