#pragma once
// The runway file on disk: loads its bytes for ReadRunwayText, and saves what
// WriteRunwayText makes of them through a twin that replaces it in one step.
#include <string>
#include <vector>

#include "core/runway_text.h"

inline constexpr const char* kRunwayFileName = "quirtel.ini";
inline constexpr const char* kRunwayTwinName = "quirtel.in2";

// Puts `from` in the place of `to` in one step, replacing it; false on failure.
using ReplaceFileFn = bool (*)(const char* from, const char* to);
// std::rename: atomic replacement where the C library's rename replaces (POSIX).
bool ReplaceFileByRename(const char* from, const char* to);

// Loads the two airports' sections of the file at `path`; a missing or
// unreadable file gives two empty lists.
RunwayLists ReadRunwayFile(const std::string& firstHeader, const std::string& secondHeader,
                           const std::string& path = kRunwayFileName);

// Copies every other line of `path` into the twin at `twinPath`, appends the two
// sections, and puts the twin in the place of `path` with `replace`. Returns
// false, with the old file untouched and the twin removed, on any failure.
bool WriteRunwayFile(const std::string& firstHeader, const std::string& secondHeader,
                     const std::vector<std::string>& first, const std::vector<std::string>& second,
                     ReplaceFileFn replace, const std::string& path = kRunwayFileName,
                     const std::string& twinPath = kRunwayTwinName);
