#include "core/parameter_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace {

const std::string kLine = R"("C:\FS\ZURU.EXE" -E C:\FS\ADV\eddfkjfk.txt)";

TEST(BuildParameterText, EveryFlagOff) {
  EXPECT_EQ(BuildParameterText(kLine, OptionSet{}),
            kLine +
                " -CREW -FLAPS -SETFLPS -NOATIS -NOATISTXT -NOATC -WAV -LIGHT -NOSPD -NOXXX"
                " -ALT000 -ATCSEC0 -TRAFFIC000 -NR1 -NR2 -CG1A -ALT -VELMORAWAV");
}

TEST(BuildParameterText, EveryFlagOnAndAnyNonZeroCountsAsOn) {
  OptionSet options;
  for (std::int32_t OptionSet::*flag :
       {&OptionSet::nocrew, &OptionSet::noflaps, &OptionSet::dontsetflaps, &OptionSet::newatis,
        &OptionSet::atistext, &OptionSet::newatc, &OptionSet::pcm, &OptionSet::heavy,
        &OptionSet::chkspd, &OptionSet::crossing, &OptionSet::resetalt, &OptionSet::userw1,
        &OptionSet::userw2, &OptionSet::cground1, &OptionSet::noaltcall,
        &OptionSet::defwavfolder}) {
    options.*flag = 1;
  }
  options.heavy = 5;
  options.pcm = -1;
  options.enroutealt = 450;
  options.maxtime = 12;
  options.traffic = 5;
  EXPECT_EQ(BuildParameterText(kLine, options),
            kLine +
                " -NOCREW -NOFLAPS -NSETFLPS -NEWATIS -ATISTEXT -NEWATC -PCM -HEAVY -CHKSPD"
                " -CHKXXX -ALT450 -ATCSEC12 -TRAFFIC005 -R1 -R2 -CG1M -NALT -DEFWAV");
}

// The numeric switches; a case's switch must appear once, after a space.
TEST(BuildParameterText, NumericSwitches) {
  struct Case {
    const char* what;
    std::int32_t resetalt;
    std::uint32_t enroutealt;
    std::uint32_t maxtime;
    std::int32_t traffic;
    const char* expected;  // the numeric switches as they appear together
  };
  const Case cases[] = {
      {"level used when reset is on", 1, 420, 0, 0, " -ALT420 -ATCSEC0 -TRAFFIC000 "},
      {"level ignored when reset is off", 0, 600, 0, 0, " -ALT000 -ATCSEC0 -TRAFFIC000 "},
      {"level padded to three digits", 1, 5, 0, 0, " -ALT005 -ATCSEC0 -TRAFFIC000 "},
      {"traffic 7", 0, 420, 0, 7, " -ALT000 -ATCSEC0 -TRAFFIC007 "},
      {"traffic 100", 0, 420, 0, 100, " -ALT000 -ATCSEC0 -TRAFFIC100 "},
      {"maxtime 120", 0, 420, 120, 0, " -ALT000 -ATCSEC120 -TRAFFIC000 "},
      {"numbers taken as signed", 1, 4294967295u, 4294967295u, -5,
       " -ALT-01 -ATCSEC-1 -TRAFFIC-05 "},
      {"lowest traffic", 0, 420, 0, std::numeric_limits<std::int32_t>::min(),
       " -ALT000 -ATCSEC0 -TRAFFIC-2147483648 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    OptionSet options;
    options.resetalt = c.resetalt;
    options.enroutealt = c.enroutealt;
    options.maxtime = c.maxtime;
    options.traffic = c.traffic;
    const std::string text = BuildParameterText(kLine, options);
    EXPECT_NE(text.find(c.expected), std::string::npos) << text;
  }
}

TEST(BuildParameterText, EnrouteLevelAndAltitudeCallsAreDifferentSwitches) {
  OptionSet options;
  options.resetalt = 1;
  options.enroutealt = 450;
  const std::string text = BuildParameterText(kLine, options);
  EXPECT_NE(text.find(" -ALT450 "), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 17), " -ALT -VELMORAWAV");
}

TEST(BuildParameterText, KeepsALongCommandLineWhole) {
  const std::string line = "ZURU.EXE -E C:\\" + std::string(2000, 'x') + ".txt";
  const std::string text = BuildParameterText(line, OptionSet{});
  EXPECT_EQ(text.substr(0, line.size()), line);
  EXPECT_EQ(text.size(), line.size() + 136);  // the switches with every flag off
}

}  // namespace
