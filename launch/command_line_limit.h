#pragma once
// Whether Windows can start a program with a given parameter text at all.
#include <string>

// CreateProcess takes at most 32767 characters, terminator included, for the
// whole command line: the quoted program path, a space and the parameters. The
// program's path is the one the search for `program` finds; when it finds none,
// the longest path the system accepts is assumed.
bool FitsCommandLineLimit(const char* program, const std::string& parameters);
