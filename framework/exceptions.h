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
// block; it never throws.
void ReportCurrentException() noexcept;
