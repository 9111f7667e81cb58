#pragma once
// The runway file on disk: loads its bytes for ReadRunwayText, and saves what
// WriteRunwayText makes of them through a twin that replaces it in one step.
#include <cstdio>
#include <string>
#include <vector>

#include "core/runway_text.h"

inline constexpr const char* kRunwayFileName = "quirtel.ini";
inline constexpr const char* kRunwayTwinName = "quirtel.in2";

// Puts `from` in the place of `to` in one step, replacing it; false on failure.
using ReplaceFileFn = bool (*)(const char* from, const char* to);
// Makes what was written through `file` durable on the disk; false on failure.
using SyncFileFn = bool (*)(std::FILE* file);
// fsync, or _commit on Windows: a rename can reach the disk before the bytes
// written ahead of it through another handle, and a power cut then leaves a
// file of the right length full of zeros in place of the old one.
bool SyncFileToDisk(std::FILE* file);

// Loads the two airports' sections of the file at `path`; a missing or
// unreadable file gives two empty lists.
RunwayLists ReadRunwayFile(const std::string& firstHeader, const std::string& secondHeader,
                           const std::string& path = kRunwayFileName);

// Copies every other line of `path` into the twin at `twinPath`, appends the two
// sections, makes the twin durable with `sync` and puts it in the place of
// `path` with `replace`. Returns false, with the old file untouched and the
// twin removed, on any failure.
bool WriteRunwayFile(const std::string& firstHeader, const std::string& secondHeader,
                     const std::vector<std::string>& first, const std::vector<std::string>& second,
                     ReplaceFileFn replace, const std::string& path = kRunwayFileName,
                     const std::string& twinPath = kRunwayTwinName,
                     SyncFileFn sync = SyncFileToDisk);
