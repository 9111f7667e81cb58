#pragma once
// The failures that end a framework operation early. UpdateData and the dialog
// message routing catch them and show their message.

class CException {
 public:
  virtual ~CException() = default;
  // The text shown for this failure; null when it has none of its own.
  virtual const char* Message() const { return nullptr; }
};

// The user has been told already (a rejected field); nothing more is shown.
class CUserException : public CException {};

class CNotSupportedException : public CException {
 public:
  const char* Message() const override { return "An unsupported operation was attempted."; }
};

class CMemoryException : public CException {
 public:
  const char* Message() const override { return "Out of memory."; }
};

// Shows the message of the failure being handled. Call it only inside a catch
// block; it never throws. No failure's box opens while another one's is open: a
// failure met inside that box's message loop is not shown on top of it.
void ReportCurrentException() noexcept;

// Where a message handler's failure came from: the window, the message and its
// wParam (the command or timer id).
struct HandlerFailureSource {
  void* window;
  unsigned message;
  unsigned long long wParam;
  bool operator==(const HandlerFailureSource& other) const = default;
};

// Reports the failure of a message handler as ReportCurrentException does. A
// handler that runs again by itself (a timer, a paint: not a command) and fails
// again before it has run through once (NoteHandlerSuccess) is not reported
// again: one that fails on every run shows one box, while a failure of another
// handler, or of a command the user gives again, is still shown.
void ReportHandlerFailure(const HandlerFailureSource& source) noexcept;
void NoteHandlerSuccess(const HandlerFailureSource& source) noexcept;
