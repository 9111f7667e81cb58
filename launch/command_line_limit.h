#pragma once
// Whether Windows can start a program with a given parameter text at all.
#include <cstddef>
#include <string>

// CreateProcess takes at most 32767 characters, terminator included, for the
// whole command line.
constexpr std::size_t kCommandLineLimit = 32767;
// The shell of Windows XP and Vista refuses a longer command line, terminator
// included, than INTERNET_MAX_URL_LENGTH.
constexpr std::size_t kOldShellLimit = 2084;

// The longest command line, terminator included, that ShellExecuteEx starts on
// Windows `major`.`minor`: kOldShellLimit before Windows 7 (6.1), and from
// there what CreateProcess takes.
std::size_t ShellCommandLineLimitOf(unsigned major, unsigned minor);

// The length of the command line that starting `program` with `parameters`
// makes: the quoted program path, a space and the parameters, terminator not
// counted. The path is the one the search for `program` finds; when it finds
// none, the longest path the system accepts is assumed.
std::size_t StartedCommandLineLength(const char* program, const std::string& parameters);

inline bool FitsCommandLineLimit(std::size_t length) { return length < kCommandLineLimit; }
