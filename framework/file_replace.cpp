#include "framework/file_replace.h"

#include <windows.h>

bool ReplaceFileWin32(const char* from, const char* to) {
  // Windows refuses to replace a read-only file; Wine replaces it. The user's
  // write protection must hold under both, so the refusal is our own.
  const DWORD attributes = GetFileAttributesA(to);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}
