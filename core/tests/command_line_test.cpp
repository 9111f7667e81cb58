#include "core/command_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct CommandLineCase {
  const char* what;
  std::string line;
  std::optional<std::string> adventure;
};

const std::optional<std::string> kNone;

TEST(FindAdventureFile, FindsTheNameAfterTheSwitch) {
  const CommandLineCase cases[] = {
      {"plain path, name upper-cased", R"(C:\FS\ZURU.EXE -E C:\FS\ADV\eddfeddm.txt)",
       R"(C:\FS\ADV\EDDFEDDM.TXT)"},
      {"quoted program path with spaces", R"("C:\Program Files\FS\ZURU.EXE" -E c:\a.txt)",
       R"(C:\A.TXT)"},
      {"-E inside the quoted program path is skipped", R"("C:\FS -E\ZURU.EXE" -E x.txt)", "X.TXT"},
      {"unclosed quote ends at the first space", R"("C:\FS\ZURU.EXE -E x.txt)", "X.TXT"},
      {"unclosed quote: -E before the first space is skipped", R"("C:\A-E\ZURU.EXE -E x)", "X"},
      {"lower-case switch", "ZURU.EXE -e x.txt", "X.TXT"},
      {"switch glued to the name", "ZURU.EXE -EX.TXT", "X.TXT"},
      {"switch inside another word", "ZURU.EXE FOO-EBAR", "BAR"},
      {"first -E wins, rest kept whole", "ZURU.EXE -EXTRA -E X.TXT", "XTRA -E X.TXT"},
      {"second -E belongs to the name", "ZURU.EXE -E X.TXT -E Y.TXT", "X.TXT -E Y.TXT"},
      {"quoted adventure path keeps its quotes", R"(ZURU.EXE -E "C:\My Adv\x.txt")",
       R"("C:\MY ADV\X.TXT")"},
      {"several spaces skipped, trailing ones kept", "ZURU.EXE -E   x.txt  ", "X.TXT  "},
      {"tab after -E is part of the name", "ZURU.EXE -E\tx.txt", "\tX.TXT"},
      {"tab after spaces is part of the name", "ZURU.EXE -E \tx.txt", "\tX.TXT"},
      {"-E glued to the closing quote is not seen, a later one is", R"("ZURU.EXE"-E X.TXT -E Y)",
       "Y"},
      {"empty quoted program name", R"("" -E x)", "X"},
      {"line starting with a space: empty program name", " -E x.txt", "X.TXT"},
      {"only ASCII letters change case", "ZURU.EXE -E c:\\\xe9t\xe9.txt", "C:\\\xe9T\xe9.TXT"},
  };
  for (const CommandLineCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(FindAdventureFile(c.line), c.adventure);
  }
}

TEST(FindAdventureFile, NoNameMeansNoAdventure) {
  const CommandLineCase cases[] = {
      {"empty line", "", kNone},
      {"program only", "ZURU.EXE", kNone},
      {"program and one space", "ZURU.EXE ", kNone},
      {"slash switch", "ZURU.EXE /E X.TXT", kNone},
      {"switch without name", "ZURU.EXE -E", kNone},
      {"switch followed by spaces only", "ZURU.EXE -E    ", kNone},
      {"switch glued to the closing quote", R"("ZURU.EXE"-E X.TXT)", kNone},
      {"quoted program only", R"("C:\Program Files\ZURU.EXE")", kNone},
      {"a lone quote", "\"", kNone},
      {"program name is the switch itself", "-E X.TXT", kNone},
      {"a zero ends the line", std::string("ZURU.EXE \0-E X.TXT", 18), kNone},
  };
  for (const CommandLineCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(FindAdventureFile(c.line), c.adventure);
  }
}

TEST(FindAdventureFile, KeepsLongNamesWhole) {
  const std::string name = "C:\\" + std::string(3000, 'a') + ".txt";
  const std::string program = "\"C:\\" + std::string(2000, 'p') + "\\ZURU.EXE\"";
  const auto found = FindAdventureFile(program + " -E " + name);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(*found, "C:\\" + std::string(3000, 'A') + ".TXT");
}

TEST(UpperCaseAscii, ChangesOnlyTheLettersAToZ) {
  EXPECT_EQ(UpperCaseAscii("azAZ09@[`{~ \t\xe4\xff-e"), "AZAZ09@[`{~ \t\xe4\xff-E");
  EXPECT_EQ(UpperCaseAscii(std::string("a\0b", 3)), std::string("A\0B", 3));
}

}  // namespace
