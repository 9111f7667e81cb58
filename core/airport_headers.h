#pragma once
// The two airports of an adventure, from its file name: EDDFKJFK.TXT is a flight
// from EDDF to KJFK.
#include <optional>
#include <string>

struct AirportHeaders {
  std::string first;   // "[EDDF]"
  std::string second;  // "[KJFK]"
};

// Upper-cases the path, finds its first ".TXT" and requires exactly eight
// characters between the start of the base name (after the last backslash) and it.
std::optional<AirportHeaders> AirportHeadersFromPath(const std::string& adventurePath);
