#pragma once
// The application's name, which names its settings and its message boxes.
#include <string>

// The application name from the module path: the text after the last backslash,
// slash or colon, cut at the last dot of the path.
std::string AppNameFromModulePath(const std::string& modulePath);
