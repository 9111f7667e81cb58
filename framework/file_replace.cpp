#include "framework/file_replace.h"

#include <windows.h>

bool ReplaceFileWin32(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}
