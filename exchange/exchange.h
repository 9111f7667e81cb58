#pragma once
// Dialog data exchange: the bindings that move a dialog's members to and from
// its controls, validating on the way from the controls.
#include <windows.h>

#include <cstdint>

#include "framework/framework_ids.h"  // the messages IDS_PARSE_*_TEXT

class CDialog;
class CWnd;

struct ExchangeContext {
  bool save;  // true: controls to members, with validation
  CDialog& dialog;
  HWND lastControl = nullptr;
  bool lastIsEdit = false;

  // Finds the control (ends the run when the dialog has none) and remembers it.
  HWND PrepareControl(int id);
  HWND PrepareEditControl(int id);
  // Puts the focus on the last control (text selected for an edit) and ends the run.
  [[noreturn]] void Fail();
};

void ExchangeControl(ExchangeContext& dx, int id, CWnd& wrapper);
void ExchangeCheck(ExchangeContext& dx, int id, int& value);
void ExchangeIntText(ExchangeContext& dx, int id, int& value);
void ExchangeUIntText(ExchangeContext& dx, int id, unsigned& value);
void ExchangeFloatText(ExchangeContext& dx, int id, float& value);
void ExchangeRadio(ExchangeContext& dx, int id, int& value);
void ValidateUIntRange(ExchangeContext& dx, unsigned value, unsigned minimum, unsigned maximum);

// Sets a control's text only when it differs, so an unchanged field keeps its
// caret and selection.
void SetTextIfChanged(HWND control, const char* text);
