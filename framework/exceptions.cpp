#include "framework/exceptions.h"

#include <windows.h>

#include <new>

#include "framework/app.h"

namespace {

constexpr const char* kInternalError = "Internal application error.";

// Set while a failure's box is open: a failure met inside that box's message
// loop is not shown on top of it.
bool g_showingFailure = false;

// The handler whose failure was shown last, until it runs through once.
bool g_handlerFailed = false;
HandlerFailureSource g_failedHandler{};

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

// A command or a dialog's start comes from the user (or a new run): its failure
// is news each time. Other messages (timers, paints) come again by themselves.
bool IsUserAction(unsigned message) {
  return message == WM_COMMAND || message == WM_SYSCOMMAND || message == WM_INITDIALOG;
}

}  // namespace

void ReportHandlerFailure(const HandlerFailureSource& source) noexcept {
  if (g_handlerFailed && g_failedHandler == source && !IsUserAction(source.message)) {
    return;  // the same handler failing again by itself: its failure is on record
  }
  if (g_showingFailure) {
    return;
  }
  g_handlerFailed = true;
  g_failedHandler = source;
  ReportCurrentException();
}

void NoteHandlerSuccess(const HandlerFailureSource& source) noexcept {
  if (g_handlerFailed && g_failedHandler == source) {
    g_handlerFailed = false;
  }
}

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
