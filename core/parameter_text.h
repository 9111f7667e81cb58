#pragma once
// The parameters handed to patch.exe: the received command line followed by one
// switch per option.
#include <string>

#include "core/option_set.h"

// `traffic` of the options is the trackbar position at the moment of the launch.
// Built at full length: never cut.
std::string BuildParameterText(const std::string& commandLine, const OptionSet& options);
