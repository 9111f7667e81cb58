// One run of a dialog's data exchange, and the mark of the dialog whose exchange
// is running.
#include "exchange/exchange.h"
#include "framework/dialog.h"
#include "framework/exceptions.h"

namespace {

// The dialog window whose exchange is running; null outside one. The program
// runs its dialogs on one thread: a plain static needs no thread-local storage.
HWND g_exchangeWindow = nullptr;

// Sets the mark for one run and puts the previous one back however the run ends,
// so that another dialog's exchange may run inside this one.
class ExchangeMark {
 public:
  explicit ExchangeMark(HWND dialog) : m_previous(g_exchangeWindow) { g_exchangeWindow = dialog; }
  ~ExchangeMark() { g_exchangeWindow = m_previous; }
  ExchangeMark(const ExchangeMark&) = delete;
  ExchangeMark& operator=(const ExchangeMark&) = delete;

 private:
  HWND m_previous;
};

}  // namespace

HWND CDialog::ExchangeWindow() { return g_exchangeWindow; }

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  ExchangeContext dx{saveAndValidate != FALSE, *this};
  ExchangeMark mark(m_hWnd);
  try {
    DoDataExchange(dx);
    return TRUE;
  } catch (...) {
    // A rejected field has been reported already; any other failure is
    // reported here, while the mark still holds back the dialog's handlers.
    ReportCurrentException();
    return FALSE;
  }
}
