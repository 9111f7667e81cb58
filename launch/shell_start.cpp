#include "launch/shell_start.h"

#include <objbase.h>

#include "launch/system_shell.h"

namespace {

// ole32 is loaded only for the start itself, as shell32 is; both stay loaded,
// the program ends soon after.
template <class Function>
Function FindInOle32(const char* name) {
  HMODULE module = LoadLibraryA("ole32.dll");
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

// COM on this thread for the length of the call, balanced on every way out.
class ComForTheCall {
 public:
  ComForTheCall() {
    using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
    const auto initialize = FindInOle32<CoInitializeExFn>("CoInitializeEx");
    m_uninitialize = FindInOle32<CoUninitializeFn>("CoUninitialize");
    // S_OK and S_FALSE both count and must be balanced; a thread that is in
    // another apartment already keeps it (RPC_E_CHANGED_MODE).
    m_initialized =
        initialize && m_uninitialize &&
        SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }
  ~ComForTheCall() {
    if (m_initialized) m_uninitialize();
  }
  ComForTheCall(const ComForTheCall&) = delete;
  ComForTheCall& operator=(const ComForTheCall&) = delete;

 private:
  using CoUninitializeFn = void(WINAPI*)();
  CoUninitializeFn m_uninitialize = nullptr;
  bool m_initialized = false;
};

}  // namespace

BOOL StartThroughShell(SHELLEXECUTEINFOA* info, ShellExecuteExFn execute) {
  BOOL started = FALSE;
  DWORD error = 0;
  {
    ComForTheCall com;
    if (!execute) execute = SystemShellExecute();
    // The apartment ends right after the call: a shell extension must finish
    // its work before the call returns, not later on a thread of its own.
    info->fMask |= SEE_MASK_NOASYNC;
    started = execute ? execute(info) : FALSE;
    error = GetLastError();
  }
  SetLastError(error);
  return started;
}
