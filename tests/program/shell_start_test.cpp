// The shell is called with COM initialised on the calling thread, in a
// single-threaded apartment, and the initialisation is balanced afterwards.
#include <gtest/gtest.h>
#include <objbase.h>

#include <new>

#include "launch/shell_start.h"

namespace {

HRESULT g_multithreadedDuringCall = S_OK;
ULONG g_maskDuringCall = 0;

// Asks for the other kind of apartment: refused while the thread is in a
// single-threaded one.
HRESULT TryMultithreaded() {
  const HRESULT result = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (SUCCEEDED(result)) {
    CoUninitialize();
  }
  return result;
}

BOOL WINAPI RecordingShell(SHELLEXECUTEINFOA* info) {
  g_multithreadedDuringCall = TryMultithreaded();
  g_maskDuringCall = info->fMask;
  info->hProcess = reinterpret_cast<HANDLE>(1234);
  SetLastError(ERROR_FILE_NOT_FOUND);
  return FALSE;
}

TEST(ShellStartTest, TheShellRunsInASingleThreadedApartmentThatEndsWithTheCall) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  EXPECT_FALSE(StartThroughShell(&info, &RecordingShell));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND)) << "the shell's own error";
  EXPECT_EQ(g_multithreadedDuringCall, RPC_E_CHANGED_MODE) << "no apartment during the call";
  EXPECT_EQ(TryMultithreaded(), S_OK) << "the apartment outlived the call";
  EXPECT_NE(g_maskDuringCall & SEE_MASK_NOASYNC, 0u)
      << "the shell may go on after the call, without its apartment";
}

// Changes the thread's last error each time a use of its apartment ends, as
// CoUninitialize may do itself.
class LastErrorChangingSpy : public IInitializeSpy {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IInitializeSpy)) {
      *object = this;
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the test's stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE PreInitialize(DWORD, DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PostInitialize(HRESULT result, DWORD, DWORD) override { return result; }
  HRESULT STDMETHODCALLTYPE PreUninitialize(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE PostUninitialize(DWORD) override {
    ++uninitialized;
    SetLastError(ERROR_INVALID_FUNCTION);
    return S_OK;
  }
  int uninitialized = 0;
};

TEST(ShellStartTest, TheShellsErrorOutlastsTheEndOfTheApartment) {
  LastErrorChangingSpy spy;
  ULARGE_INTEGER cookie{};
  ASSERT_EQ(CoRegisterInitializeSpy(&spy, &cookie), S_OK);
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  const BOOL started = StartThroughShell(&info, &RecordingShell);
  const DWORD error = GetLastError();
  CoRevokeInitializeSpy(cookie);
  EXPECT_FALSE(started);
  EXPECT_EQ(spy.uninitialized, 1) << "the call's apartment did not end once";
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_FILE_NOT_FOUND))
      << "the error the apartment's end left in place of the shell's";
}

BOOL WINAPI ShellOutOfMemory(SHELLEXECUTEINFOA*) { throw std::bad_alloc(); }

// A thread in a single-threaded apartment already: the call's own
// initialisation answers S_FALSE and is balanced all the same, also when the
// call fails with an exception.
TEST(ShellStartTest, ComIsBalancedOnAThreadInASingleThreadedApartment) {
  for (const ShellExecuteExFn shell : {&RecordingShell, &ShellOutOfMemory}) {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    try {
      StartThroughShell(&info, shell);
    } catch (const std::bad_alloc&) {
    }
    CoUninitialize();
    EXPECT_EQ(TryMultithreaded(), S_OK) << "the apartment outlived the thread's own use";
  }
}

TEST(ShellStartTest, AThreadThatHasAnApartmentKeepsIt) {
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  StartThroughShell(&info, &RecordingShell);
  EXPECT_EQ(g_multithreadedDuringCall, S_FALSE) << "the thread's own apartment is kept";
  // Still initialised once, by this test: the next call balances it.
  EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);
  CoUninitialize();
  CoUninitialize();
}

}  // namespace
