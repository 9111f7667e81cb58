#pragma once
// Puts one file in the place of another in a single step (the runway file's
// ReplaceFileFn on Windows).

// MoveFileExA with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH; false on failure.
bool ReplaceFileWin32(const char* from, const char* to);
