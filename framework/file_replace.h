#pragma once
// Puts one file in the place of another in a single step (the runway file's
// ReplaceFileFn on Windows).

// MoveFileExA with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH; false on
// failure. A read-only target is refused (ERROR_ACCESS_DENIED) on every system,
// and stays as it was.
bool ReplaceFileWin32(const char* from, const char* to);
