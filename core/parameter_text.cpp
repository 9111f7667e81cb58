#include "core/parameter_text.h"

#include "core/decimal_text.h"

namespace {

const char* Switch(std::int32_t flag, const char* on, const char* off) {
  return flag != 0 ? on : off;
}

}  // namespace

std::string BuildParameterText(const std::string& commandLine, const OptionSet& options) {
  std::string text = commandLine;
  text += Switch(options.nocrew, " -NOCREW", " -CREW");
  text += Switch(options.noflaps, " -NOFLAPS", " -FLAPS");
  text += Switch(options.dontsetflaps, " -NSETFLPS", " -SETFLPS");
  text += Switch(options.newatis, " -NEWATIS", " -NOATIS");
  text += Switch(options.atistext, " -ATISTEXT", " -NOATISTXT");
  text += Switch(options.newatc, " -NEWATC", " -NOATC");
  text += Switch(options.pcm, " -PCM", " -WAV");
  text += Switch(options.heavy, " -HEAVY", " -LIGHT");
  text += Switch(options.chkspd, " -CHKSPD", " -NOSPD");
  text += Switch(options.crossing, " -CHKXXX", " -NOXXX");
  // The patcher reads the numbers as signed 32-bit values.
  if (options.resetalt != 0) {
    text += " -ALT" + ZeroPaddedDecimal(static_cast<std::int32_t>(options.enroutealt), 3);
  } else {
    text += " -ALT000";
  }
  text += " -ATCSEC" + ZeroPaddedDecimal(static_cast<std::int32_t>(options.maxtime), 0);
  text += " -TRAFFIC" + ZeroPaddedDecimal(options.traffic, 3);
  text += Switch(options.userw1, " -R1", " -NR1");
  text += Switch(options.userw2, " -R2", " -NR2");
  text += Switch(options.cground1, " -CG1M", " -CG1A");
  text += Switch(options.noaltcall, " -NALT", " -ALT");
  text += Switch(options.defwavfolder, " -DEFWAV", " -VELMORAWAV");
  return text;
}
