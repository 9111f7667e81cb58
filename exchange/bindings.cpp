// The binding kinds of the data exchange: each moves one member to or from one
// control, the text kinds validating on the way from the control.
#include <array>
#include <cstring>
#include <string>

#include "core/exchange_text.h"
#include "exchange/exchange.h"
#include "framework/app.h"
#include "framework/dialog.h"
#include "framework/exceptions.h"

namespace {

// At most the first 31 characters of a field take part in the exchange.
std::string ReadExchangeText(HWND control) {
  std::array<char, kExchangeTextLimit + 1> buffer{};
  const int length = GetWindowTextA(control, buffer.data(), static_cast<int>(buffer.size()));
  return std::string(buffer.data(), length > 0 ? static_cast<std::size_t>(length) : 0);
}

// The three text kinds differ only in their parser, formatter and message.
template <class Value, class Parse, class Format>
void ExchangeText(ExchangeContext& dx, int id, Value& value, Parse parse, Format format,
                  UINT rejectedMessage) {
  const HWND control = dx.PrepareEditControl(id);
  if (!dx.save) {
    SetTextIfChanged(control, format(value).c_str());
    return;
  }
  const auto parsed = parse(ReadExchangeText(control));
  if (!parsed) {
    AfxMessageBox(rejectedMessage);
    dx.Fail();
  }
  value = *parsed;
}

bool IsRadioButton(HWND control) {
  return (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

bool StartsGroup(HWND control) { return (GetWindowLongA(control, GWL_STYLE) & WS_GROUP) != 0; }

}  // namespace

void ExchangeControl(ExchangeContext& dx, int id, CWnd& wrapper) {
  if (wrapper.GetSafeHwnd()) {
    return;  // bound by an earlier exchange
  }
  const HWND control = dx.PrepareControl(id);
  dx.dialog.DetachOnDestroy(wrapper);
  if (!wrapper.Attach(control)) {
    throw CNotSupportedException();
  }
}

void ExchangeCheck(ExchangeContext& dx, int id, int& value) {
  const HWND control = dx.PrepareControl(id);
  if (dx.save) {
    value = static_cast<int>(SendMessageA(control, BM_GETCHECK, 0, 0));
    return;
  }
  if (value < BST_UNCHECKED || value > BST_INDETERMINATE) {
    value = BST_UNCHECKED;
  }
  // A two-state box shows, and reports back, the indeterminate state as checked.
  SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void ExchangeIntText(ExchangeContext& dx, int id, int& value) {
  ExchangeText(dx, id, value, ParseIntText, FormatIntText, IDS_PARSE_INT_TEXT);
}

void ExchangeUIntText(ExchangeContext& dx, int id, unsigned& value) {
  ExchangeText(dx, id, value, ParseUIntText, FormatUIntText, IDS_PARSE_UINT_TEXT);
}

void ExchangeFloatText(ExchangeContext& dx, int id, float& value) {
  ExchangeText(dx, id, value, ParseFloatText, FormatFloatText, IDS_PARSE_REAL_TEXT);
}

void ExchangeRadio(ExchangeContext& dx, int id, int& value) {
  HWND control = dx.PrepareControl(id);
  if (dx.save) {
    value = -1;
  }
  // The group runs from the first button up to the next control that starts a
  // group; only its radio buttons are counted.
  int index = 0;
  do {
    if (IsRadioButton(control)) {
      if (dx.save) {
        if (SendMessageA(control, BM_GETCHECK, 0, 0) != BST_UNCHECKED) {
          value = index;
        }
      } else {
        SendMessageA(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      ++index;
    }
    control = GetWindow(control, GW_HWNDNEXT);
  } while (control && !StartsGroup(control));
}

void ValidateUIntRange(ExchangeContext& dx, unsigned value, unsigned minimum, unsigned maximum) {
  if (!dx.save || (value >= minimum && value <= maximum)) {
    return;
  }
  AfxMessageBox(FillRangeMessage(LoadResourceString(IDS_PARSE_INT_RANGE_TEXT), minimum, maximum),
                MB_ICONEXCLAMATION);
  dx.Fail();
}

void SetTextIfChanged(HWND control, const char* text) {
  // Room for 255 characters and the terminator.
  std::array<char, 256> current{};
  const int currentLength =
      GetWindowTextA(control, current.data(), static_cast<int>(current.size()));
  const std::size_t length = std::strlen(text);
  const bool unchanged = length <= 256 && currentLength >= 0 &&
                         static_cast<std::size_t>(currentLength) == length &&
                         std::memcmp(current.data(), text, length) == 0;
  if (!unchanged) {
    SetWindowTextA(control, text);
  }
}
