#include "core/app_name.h"

std::string AppNameFromModulePath(const std::string& modulePath) {
  const std::size_t separator = modulePath.find_last_of("\\/:");
  const std::size_t baseStart = separator == std::string::npos ? 0 : separator + 1;
  const std::size_t dot = modulePath.rfind('.');
  // A dot in a directory name is not an extension of the program's name.
  if (dot != std::string::npos && dot >= baseStart) {
    return modulePath.substr(baseStart, dot - baseStart);
  }
  return modulePath.substr(baseStart);
}
