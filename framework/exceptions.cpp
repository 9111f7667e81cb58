#include "framework/exceptions.h"

#include <windows.h>

#include <new>

#include "framework/app.h"

namespace {

constexpr const char* kInternalError = "Internal application error.";

// Set while a failure's box is open: a failure met inside that box's message
// loop is not shown on top of it.
bool g_showingFailure = false;

void ShowFailure(const char* message) {
  if (g_showingFailure) {
    return;
  }
  struct Showing {
    Showing() { g_showingFailure = true; }
    ~Showing() { g_showingFailure = false; }
  } showing;
  AfxMessageBox(message ? message : kInternalError, MB_ICONEXCLAMATION);
}

}  // namespace

void ReportCurrentException() noexcept {
  try {
    try {
      throw;
    } catch (const CUserException&) {
      // The rejected field has been reported by the binding itself.
    } catch (const CException& failure) {
      ShowFailure(failure.Message());
    } catch (const std::bad_alloc&) {
      ShowFailure(CMemoryException().Message());
    } catch (...) {
      ShowFailure(nullptr);
    }
  } catch (...) {
    // Not even the message could be shown (memory is exhausted): stay silent
    // rather than let the failure escape into the system's code.
  }
}
