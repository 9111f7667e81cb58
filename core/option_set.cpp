#include "core/option_set.h"

#include <cstddef>

const OptionKey kOptionKeys[kOptionCount] = {
    {"chkspd", 0},   {"crossing", 0},  {"userw1", 0},       {"userw2", 0},
    {"active", 0},   {"nocrew", 0},    {"dontsetflaps", 0}, {"noflaps", 0},
    {"newatis", 0},  {"atistext", 0},  {"newatc", 0},       {"pcm", 0},
    {"heavy", 0},    {"maxtime", 0},   {"cground1", 0},     {"defwavfolder", 0},
    {"resetalt", 0}, {"noaltcall", 0}, {"enroutealt", 420}, {"traffic", 0},
};

namespace {

// The field of each key, in the order of kOptionKeys. Exactly one of the two
// pointers is set: the signed fields and the two unsigned numbers.
struct OptionField {
  std::int32_t OptionSet::*signedField;
  std::uint32_t OptionSet::*unsignedField;
};

constexpr OptionField Signed(std::int32_t OptionSet::*field) { return {field, nullptr}; }
constexpr OptionField Unsigned(std::uint32_t OptionSet::*field) { return {nullptr, field}; }

const OptionField kOptionFields[kOptionCount] = {
    Signed(&OptionSet::chkspd),       Signed(&OptionSet::crossing),  Signed(&OptionSet::userw1),
    Signed(&OptionSet::userw2),       Signed(&OptionSet::active),    Signed(&OptionSet::nocrew),
    Signed(&OptionSet::dontsetflaps), Signed(&OptionSet::noflaps),   Signed(&OptionSet::newatis),
    Signed(&OptionSet::atistext),     Signed(&OptionSet::newatc),    Signed(&OptionSet::pcm),
    Signed(&OptionSet::heavy),        Unsigned(&OptionSet::maxtime), Signed(&OptionSet::cground1),
    Signed(&OptionSet::defwavfolder), Signed(&OptionSet::resetalt),  Signed(&OptionSet::noaltcall),
    Unsigned(&OptionSet::enroutealt), Signed(&OptionSet::traffic),
};

}  // namespace

void SetOptionFieldValue(OptionSet& options, int index, std::uint32_t value) {
  const OptionField& field = kOptionFields[index];
  if (field.signedField) {
    // The store holds 32-bit patterns: a signed field takes the pattern as it is.
    options.*field.signedField = static_cast<std::int32_t>(value);
  } else {
    options.*field.unsignedField = value;
  }
}

std::uint32_t OptionFieldValue(const OptionSet& options, int index) {
  const OptionField& field = kOptionFields[index];
  return field.signedField ? static_cast<std::uint32_t>(options.*field.signedField)
                           : options.*field.unsignedField;
}

std::uint32_t NormaliseEnrouteAlt(std::uint32_t stored) {
  std::uint32_t level = stored;
  if (level >= 600) {
    level = 600;
  } else if (level <= 420) {
    level = 420;
  }
  return level / 10 * 10;
}
