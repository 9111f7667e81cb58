#pragma once
// Finding the adventure file on the command line that the host starts us with.
#include <optional>
#include <string>

// Upper-cases the ASCII letters a..z only; every other byte stays as it is.
std::string UpperCaseAscii(std::string text);

// The adventure file name that follows "-E" in a whole command line (program
// path first), upper-cased, or nothing when there is none: no "-E" after the
// program name, or nothing but spaces after it. The whole rest of the line
// belongs to the name, whatever its length.
std::optional<std::string> FindAdventureFile(const std::string& commandLine);
