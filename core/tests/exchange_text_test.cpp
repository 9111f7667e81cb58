#include "core/exchange_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace {

template <typename T>
struct ParseCase {
  std::string text;
  std::optional<T> value;  // nothing: rejected
};

const std::string k31Blanks(31, ' ');
const std::string k40Blanks(40, ' ');

TEST(ParseIntText, FollowsTheSignedRules) {
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  const ParseCase<std::int32_t> cases[] = {
      {" 42 ", 42},
      {"042", 42},
      {"-7", -7},
      {"+7", 7},
      {"0", 0},
      {"00", 0},
      {"\t5\t", 5},
      {"2147483647", kMax},
      {"-2147483648", kMin},
      {"3000000000", kMax},  // saturates, no rejection
      {"-3000000000", kMin},
      {"99999999999999999999999999", kMax},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"-0", std::nullopt},
      {"+0", std::nullopt},
      {"4x", std::nullopt},
      {"0x10", std::nullopt},
      {"4 2", std::nullopt},
      {"+", std::nullopt},
      {"-", std::nullopt},
      {"--5", std::nullopt},
      {"+-5", std::nullopt},
      {"- 5", std::nullopt},
      {"\n5", std::nullopt},  // only blanks and tabs are skipped
      {"5\n", std::nullopt},
      {"5.0", std::nullopt},
      {"abc", std::nullopt},
      {k31Blanks + "5", std::nullopt},  // only the blanks are read
      {std::string(30, ' ') + "5", 5},
      {"5" + k40Blanks, 5},
      {std::string(29, '0') + "42", 42},
      {std::string(30, '0') + "42", 4},  // the 2 lies beyond the 31 characters
      {std::string("5\0x", 3), 5},       // a field's text ends at its zero
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseIntText(c.text), c.value) << "'" << c.text << "'";
  }
}

TEST(ParseUIntText, FollowsTheUnsignedRules) {
  const ParseCase<std::uint32_t> cases[] = {
      {"0", 0u},
      {"+5", 5u},
      {" 420 ", 420u},
      {"4294967295", 4294967295u},
      {"4294967296", 4294967295u},  // saturates, no rejection
      {"99999999999999999999", 4294967295u},
      {"-1", std::nullopt},
      {" -0", std::nullopt},
      {"+0", std::nullopt},
      {"-5", std::nullopt},
      {"abc", std::nullopt},
      {"", std::nullopt},
      {"12 sec", std::nullopt},
      {k31Blanks + "5", std::nullopt},
      {"5" + k40Blanks, 5u},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseUIntText(c.text), c.value) << "'" << c.text << "'";
  }
}

TEST(ParseFloatText, FollowsTheDecimalRules) {
  const ParseCase<float> cases[] = {
      {"110.30", 110.3f},
      {".5", 0.5f},
      {"5.", 5.0f},
      {"0.0", 0.0f},
      {"0", 0.0f},
      {"00.5", 0.5f},
      {"1e2", 100.0f},
      {"1d2", 100.0f},
      {"1D2", 100.0f},
      {"1E+2", 100.0f},
      {"-2.5e-1", -0.25f},
      {"+7", 7.0f},
      {" \t3 \t", 3.0f},
      {"0e999999", 0.0f},
      {"1e400", FLT_MAX},  // beyond double: held at the limit
      {"-1e400", -FLT_MAX},
      {"1e39", FLT_MAX},  // beyond float
      {"-3.5e38", -FLT_MAX},
      {"1e99999999999999999999", FLT_MAX},
      {"1e-40", 1e-40f},  // still a (subnormal) float
      {"1e-50", 0.0f},    // a double, zero only once narrowed: accepted
      {"-1e-50", -0.0f},
      {"0.0e-50", 0.0f},
      {".0", std::nullopt},
      {"-0", std::nullopt},
      {"+0.0", std::nullopt},
      {"110,30", std::nullopt},
      {"inf", std::nullopt},
      {"INF", std::nullopt},
      {"nan", std::nullopt},
      {"0x10", std::nullopt},
      {"1e-400", std::nullopt},  // converts to zero
      {"", std::nullopt},
      {".", std::nullopt},
      {"-.", std::nullopt},
      {"e5", std::nullopt},
      {"1e", std::nullopt},
      {"1e+", std::nullopt},
      {"1.2.3", std::nullopt},
      {"1 2", std::nullopt},
      {"\n1", std::nullopt},
      {k31Blanks + "5", std::nullopt},
      {"5" + k40Blanks, 5.0f},
      {"1." + std::string(29, '0') + "9", 1.0f},  // the 9 lies beyond the 31 characters
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseFloatText(c.text), c.value) << "'" << c.text << "'";
  }
}

TEST(FormatText, WritesIntegersPlainly) {
  EXPECT_EQ(FormatIntText(0), "0");
  EXPECT_EQ(FormatIntText(-7), "-7");
  EXPECT_EQ(FormatIntText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
  EXPECT_EQ(FormatIntText(std::numeric_limits<std::int32_t>::max()), "2147483647");
  EXPECT_EQ(FormatUIntText(0), "0");
  EXPECT_EQ(FormatUIntText(700), "700");
  EXPECT_EQ(FormatUIntText(4294967295u), "4294967295");
}

TEST(FormatText, WritesFloatsWithSixSignificantDigits) {
  const std::pair<float, const char*> cases[] = {
      {110.3f, "110.3"},
      {110.0f, "110"},
      {0.5f, "0.5"},
      {0.0f, "0"},
      {-0.25f, "-0.25"},
      {123456.0f, "123456"},
      {1234567.0f, "1.23457e+06"},
      {1e6f, "1e+06"},
      {0.0001f, "0.0001"},
      {0.00001f, "1e-05"},
      {FLT_MAX, "3.40282e+38"},
      {-FLT_MAX, "-3.40282e+38"},
      {9.5f, "9.5"},
  };
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(FormatFloatText(value), text) << value;
  }
}

TEST(FormatText, ShownFloatsReadBackAsShown) {
  for (float value : {110.3f, 108.5f, 0.5f, 1e6f, 123.456f, -9.25f}) {
    const std::string shown = FormatFloatText(value);
    const auto read = ParseFloatText(shown);
    ASSERT_TRUE(read.has_value()) << shown;
    EXPECT_EQ(FormatFloatText(*read), shown);
  }
}

// The decimal point is '.' whatever locale the process runs in.
TEST(FormatText, IgnoresTheLocalesDecimalPoint) {
  const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  bool commaLocale = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE", "German_Germany.1252", "German", "deu"}) {
    if (std::setlocale(LC_NUMERIC, name) && std::localeconv()->decimal_point[0] == ',') {
      commaLocale = true;
      break;
    }
  }
  if (!commaLocale) {
    std::setlocale(LC_NUMERIC, previous.c_str());
    GTEST_SKIP() << "no locale with a decimal comma on this system";
  }
  const auto read = ParseFloatText("110.30");
  const auto comma = ParseFloatText("110,30");
  const std::string shown = FormatFloatText(110.3f);
  std::setlocale(LC_NUMERIC, previous.c_str());
  EXPECT_EQ(read, 110.3f);
  EXPECT_EQ(comma, std::nullopt);
  EXPECT_EQ(shown, "110.3");
}

TEST(FillRangeMessage, PutsTheLimitsInPlaceOfTheMarkers) {
  struct Case {
    const char* message;
    std::uint32_t minimum, maximum;
    const char* filled;
  };
  const Case cases[] = {
      {"Please enter an integer between %1 and %2.", 420, 600,
       "Please enter an integer between 420 and 600."},
      {"%2 down to %1", 0, 4294967295u, "4294967295 down to 0"},
      {"%1%1%2", 1, 2, "112"},
      {"100% sure, %3 and %% stay%", 1, 2, "100% sure, %3 and %% stay%"},
      {"", 1, 2, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FillRangeMessage(c.message, c.minimum, c.maximum), c.filled) << c.message;
  }
}

}  // namespace
