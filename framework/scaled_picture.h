#pragma once
// A dialog's bitmap picture drawn at the display's scale. The program declares
// itself DPI aware, so Windows no longer stretches it: the dialog's units grow
// with the DPI, but a picture control would keep its bitmap at the 96-DPI size.
#include <windows.h>

class CScaledPicture {
 public:
  CScaledPicture() = default;
  CScaledPicture(const CScaledPicture&) = delete;
  CScaledPicture& operator=(const CScaledPicture&) = delete;
  ~CScaledPicture();

  // Gives the first bitmap picture control of `dialog` its bitmap stretched by
  // the display's DPI / 96, with halftone smoothing. Leaves it as it is at
  // 96 DPI, or when anything fails (the picture then shows at its own size).
  void ScaleIn(HWND dialog);

 private:
  HBITMAP m_scaled = nullptr;  // ours: a picture control never frees a bitmap set into it
};
