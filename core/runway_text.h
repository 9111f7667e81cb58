#pragma once
// The runway file's text, apart from any file: per-airport runway entries under
// "[CODE]" section headers. Lines are taken in pieces of at most 254 characters;
// CRLF or a lone LF ends a line when read, every line written ends in CRLF.
#include <string>
#include <vector>

struct RunwayLists {
  std::vector<std::string> first;
  std::vector<std::string> second;
};

// The two airports' sections of a runway file's bytes. A header is matched as the
// beginning of a line, the first header before the second; any other line that
// begins with "[" ends a section.
RunwayLists ReadRunwayText(const std::string& firstHeader, const std::string& secondHeader,
                           const std::string& text);

// The bytes of the new runway file: every line of `oldText` outside the two
// airports' sections as it was read, then the first header with `first`, then
// the second header with `second`.
std::string WriteRunwayText(const std::string& firstHeader, const std::string& secondHeader,
                            const std::vector<std::string>& first,
                            const std::vector<std::string>& second, const std::string& oldText);
