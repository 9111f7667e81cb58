#pragma once
// Text rules of the dialog data exchange: parsing what an edit field holds and
// formatting a member for it. Parsers read at most the first 31 characters.
#include <cstdint>
#include <optional>
#include <string>

inline constexpr std::size_t kExchangeTextLimit = 31;

// Each parser gives nothing when the text is rejected.
std::optional<std::int32_t> ParseIntText(const std::string& text);
std::optional<std::uint32_t> ParseUIntText(const std::string& text);
std::optional<float> ParseFloatText(const std::string& text);

std::string FormatIntText(std::int32_t value);    // "%d"
std::string FormatUIntText(std::uint32_t value);  // "%u"
std::string FormatFloatText(float value);         // "%.*g", precision 6

// Replaces "%1" by the minimum and "%2" by the maximum, both as unsigned decimals.
std::string FillRangeMessage(const std::string& message, std::uint32_t minimum,
                             std::uint32_t maximum);
