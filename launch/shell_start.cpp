#include "launch/shell_start.h"

#include <objbase.h>

namespace {

// shell32 and ole32 are loaded only for the start itself: most of a run is the
// dialog, and loading them with the program makes every start slower. They stay
// loaded; the program ends soon after.
template <class Function>
Function Find(const char* dll, const char* name) {
  HMODULE module = LoadLibraryA(dll);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

}  // namespace

BOOL StartThroughShell(SHELLEXECUTEINFOA* info, ShellExecuteExFn execute) {
  using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
  using CoUninitializeFn = void(WINAPI*)();
  const auto initialize = Find<CoInitializeExFn>("ole32.dll", "CoInitializeEx");
  const auto uninitialize = Find<CoUninitializeFn>("ole32.dll", "CoUninitialize");
  // S_OK and S_FALSE both count and must be balanced; a thread that is in
  // another apartment already keeps it (RPC_E_CHANGED_MODE).
  const bool initialized =
      initialize && uninitialize &&
      SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));

  if (!execute) {
    execute = Find<ShellExecuteExFn>("shell32.dll", "ShellExecuteExA");
  }
  const BOOL started = execute ? execute(info) : FALSE;
  const DWORD error = GetLastError();

  if (initialized) {
    uninitialize();
  }
  SetLastError(error);
  return started;
}
