#include "core/option_set.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// A settings store in memory that records the order of every access.
class FakeStore {
 public:
  std::map<std::string, std::uint32_t> values;
  std::vector<std::pair<std::string, std::uint32_t>> reads;   // key, default
  std::vector<std::pair<std::string, std::uint32_t>> writes;  // key, value

  auto Reader() {
    return [this](const char* key, std::uint32_t defaultValue) {
      reads.emplace_back(key, defaultValue);
      const auto found = values.find(key);
      return found == values.end() ? defaultValue : found->second;
    };
  }
  auto Writer() {
    return [this](const char* key, std::uint32_t value) {
      writes.emplace_back(key, value);
      values[key] = value;
    };
  }
};

// The keys in the order of the store, with their defaults.
const std::vector<std::pair<std::string, std::uint32_t>> kExpectedKeys = {
    {"chkspd", 0},   {"crossing", 0},  {"userw1", 0},       {"userw2", 0},
    {"active", 0},   {"nocrew", 0},    {"dontsetflaps", 0}, {"noflaps", 0},
    {"newatis", 0},  {"atistext", 0},  {"newatc", 0},       {"pcm", 0},
    {"heavy", 0},    {"maxtime", 0},   {"cground1", 0},     {"defwavfolder", 0},
    {"resetalt", 0}, {"noaltcall", 0}, {"enroutealt", 420}, {"traffic", 0},
};

TEST(ReadOptionSet, EmptyStoreGivesTheDefaultsReadingEveryKeyInOrder) {
  FakeStore store;
  const OptionSet options = ReadOptionSet(store.Reader());
  EXPECT_EQ(store.reads, kExpectedKeys);

  const OptionSet defaults;
  std::vector<std::uint32_t> written;
  WriteOptionSet(options, [&](const char*, std::uint32_t value) { written.push_back(value); });
  std::vector<std::uint32_t> expected;
  WriteOptionSet(defaults, [&](const char*, std::uint32_t value) { expected.push_back(value); });
  EXPECT_EQ(written, expected);
  EXPECT_EQ(options.enroutealt, 420u);
  EXPECT_EQ(options.traffic, 0);
  EXPECT_EQ(options.maxtime, 0u);
}

// Each key reaches its own field: one stored key at a time, every other field at
// its default.
TEST(ReadOptionSet, EachKeyFillsItsField) {
  using Field = std::function<std::uint32_t(const OptionSet&)>;
  auto s = [](std::int32_t OptionSet::*f) -> Field {
    return [f](const OptionSet& o) { return static_cast<std::uint32_t>(o.*f); };
  };
  auto u = [](std::uint32_t OptionSet::*f) -> Field {
    return [f](const OptionSet& o) { return o.*f; };
  };
  const std::vector<std::pair<const char*, Field>> fields = {
      {"chkspd", s(&OptionSet::chkspd)},
      {"crossing", s(&OptionSet::crossing)},
      {"userw1", s(&OptionSet::userw1)},
      {"userw2", s(&OptionSet::userw2)},
      {"active", s(&OptionSet::active)},
      {"nocrew", s(&OptionSet::nocrew)},
      {"dontsetflaps", s(&OptionSet::dontsetflaps)},
      {"noflaps", s(&OptionSet::noflaps)},
      {"newatis", s(&OptionSet::newatis)},
      {"atistext", s(&OptionSet::atistext)},
      {"newatc", s(&OptionSet::newatc)},
      {"pcm", s(&OptionSet::pcm)},
      {"heavy", s(&OptionSet::heavy)},
      {"maxtime", u(&OptionSet::maxtime)},
      {"cground1", s(&OptionSet::cground1)},
      {"defwavfolder", s(&OptionSet::defwavfolder)},
      {"resetalt", s(&OptionSet::resetalt)},
      {"noaltcall", s(&OptionSet::noaltcall)},
      {"enroutealt", u(&OptionSet::enroutealt)},
      {"traffic", s(&OptionSet::traffic)},
  };
  for (const auto& [key, field] : fields) {
    SCOPED_TRACE(key);
    const std::uint32_t stored = std::string(key) == "enroutealt" ? 510 : 5;
    FakeStore store;
    store.values[key] = stored;
    const OptionSet options = ReadOptionSet(store.Reader());
    for (const auto& [otherKey, otherField] : fields) {
      const std::uint32_t expected =
          otherKey == key ? stored : (std::string(otherKey) == "enroutealt" ? 420 : 0);
      EXPECT_EQ(otherField(options), expected) << otherKey;
    }
  }
}

TEST(ReadOptionSet, TakesFlagsTrafficAndMaxtimeAsStored) {
  FakeStore store;
  store.values = {
      {"heavy", 5}, {"nocrew", 0xFFFFFFFFu}, {"traffic", 150}, {"maxtime", 0xFFFFFFFFu}};
  const OptionSet options = ReadOptionSet(store.Reader());
  EXPECT_EQ(options.heavy, 5);
  EXPECT_EQ(options.nocrew, -1);
  EXPECT_EQ(options.traffic, 150);  // the trackbar holds it within 0..100
  EXPECT_EQ(options.maxtime, 4294967295u);
}

TEST(ReadOptionSet, NormalisesTheEnrouteLevel) {
  FakeStore store;
  store.values["enroutealt"] = 455;
  EXPECT_EQ(ReadOptionSet(store.Reader()).enroutealt, 450u);
}

TEST(NormaliseEnrouteAlt, ClampsThenRoundsDownToTens) {
  const std::pair<std::uint32_t, std::uint32_t> cases[] = {
      {455, 450},         {599, 590}, {600, 600},         {700, 600}, {0, 420},
      {425, 420},         {420, 420}, {421, 420},         {430, 430}, {439, 430},
      {601, 600},         {419, 420}, {0xFFFFFFFFu, 600},  // a stored -1
      {0x80000000u, 600},
  };
  for (const auto& [stored, level] : cases) {
    EXPECT_EQ(NormaliseEnrouteAlt(stored), level) << stored;
  }
}

TEST(WriteOptionSet, WritesEveryValueInStoreOrder) {
  OptionSet options;
  options.chkspd = 1;
  options.userw2 = 1;
  options.heavy = -1;
  options.maxtime = 120;
  options.enroutealt = 700;  // written as it stands
  options.traffic = 100;
  FakeStore store;
  WriteOptionSet(options, store.Writer());

  std::vector<std::pair<std::string, std::uint32_t>> expected;
  for (const auto& [key, unused] : kExpectedKeys) expected.emplace_back(key, 0);
  auto set = [&](const char* key, std::uint32_t value) {
    for (auto& entry : expected) {
      if (entry.first == key) entry.second = value;
    }
  };
  set("chkspd", 1);
  set("userw2", 1);
  set("heavy", 0xFFFFFFFFu);
  set("maxtime", 120);
  set("enroutealt", 700);
  set("traffic", 100);
  EXPECT_EQ(store.writes, expected);
}

TEST(WriteOptionSet, WhatIsWrittenReadsBackTheSame) {
  FakeStore store;
  std::uint32_t value = 1;
  for (const auto& [key, unused] : kExpectedKeys) store.values[key] = value++;
  store.values["enroutealt"] = 540;
  const auto before = store.values;
  WriteOptionSet(ReadOptionSet(store.Reader()), store.Writer());
  EXPECT_EQ(store.values, before);
}

}  // namespace
