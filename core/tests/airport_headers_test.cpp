#include "core/airport_headers.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct HeaderCase {
  std::string path;
  const char* first;  // nullptr: the path is refused
  const char* second;
};

TEST(AirportHeadersFromPath, TakesTheCodesFromTheEightCharacterBaseName) {
  const HeaderCase cases[] = {
      {R"(D:\FS\ADVENTURES\EDDFKJFK.TXT)", "[EDDF]", "[KJFK]"},
      {R"(d:\fs\adventures\eddfkjfk.txt)", "[EDDF]", "[KJFK]"},
      {"EDDFKJFK.TXT", "[EDDF]", "[KJFK]"},
      {"EDDFKJFK.TXT.BAK", "[EDDF]", "[KJFK]"},
      {"EDDFEDDF.TXT", "[EDDF]", "[EDDF]"},
      {R"(C:\X\EDDFKJFK.txt.TXT)", "[EDDF]", "[KJFK]"},
      {"ABCD/EFG.TXT", "[ABCD]", "[/EFG]"},  // '/' is no separator here
      {R"("C:\ADV\EDDFKJFK.TXT")", "[EDDF]", "[KJFK]"},
      {R"(D:\EDDFKJF.TXT)", nullptr, nullptr},
      {R"(D:\EDDFKJFKX.TXT)", nullptr, nullptr},
      {R"(D:\OLD.TXT\EDDFKJFK.TXT)", nullptr, nullptr},  // the first ".TXT" counts
      {R"(C:\A.TXT\B)", nullptr, nullptr},               // ".TXT" before the base name
      {"D:/FS/EDDFKJFK.TXT", nullptr, nullptr},
      {R"(C:\X\EDDF.TXTKJFK.TXT)", nullptr, nullptr},
      {R"(D:\FS\EDDFKJFK.DAT)", nullptr, nullptr},
      {R"(C:\DIR\.TXT)", nullptr, nullptr},
      {".TXT", nullptr, nullptr},
      {R"(D:\FS\EDDFKJFK.TXT\)", nullptr, nullptr},
      {"", nullptr, nullptr},
  };
  for (const HeaderCase& c : cases) {
    SCOPED_TRACE(c.path);
    const auto headers = AirportHeadersFromPath(c.path);
    if (!c.first) {
      EXPECT_FALSE(headers.has_value());
      continue;
    }
    ASSERT_TRUE(headers.has_value());
    EXPECT_EQ(headers->first, c.first);
    EXPECT_EQ(headers->second, c.second);
  }
}

TEST(AirportHeadersFromPath, AcceptsAPathOfAnyLength) {
  const std::string path = "C:\\" + std::string(5000, 'd') + "\\lowwlirf.txt";
  const auto headers = AirportHeadersFromPath(path);
  ASSERT_TRUE(headers.has_value());
  EXPECT_EQ(headers->first, "[LOWW]");
  EXPECT_EQ(headers->second, "[LIRF]");
}

}  // namespace
