#pragma once
// The text of one runway entry, such as "09L (110.30/only TO)".
#include <cstdint>
#include <string>

std::string FormatRunwayEntry(std::int32_t number, float frequency, int ils, int left, int right,
                              int usage);
