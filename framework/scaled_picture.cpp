#include "framework/scaled_picture.h"

namespace {

constexpr int kDesignDpi = 96;

HWND FindBitmapPicture(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0 &&
        (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) {
      return child;
    }
  }
  return nullptr;
}

// A copy of `source` (width by height) stretched to `width` * dpi / 96 by the
// same for the height, compatible with the screen.
HBITMAP Stretch(HBITMAP source, const BITMAP& size, int dpi) {
  const int width = MulDiv(size.bmWidth, dpi, kDesignDpi);
  const int height = MulDiv(size.bmHeight, dpi, kDesignDpi);
  HDC screen = GetDC(nullptr);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  HBITMAP scaled = CreateCompatibleBitmap(screen, width, height);
  if (from && to && scaled) {
    HGDIOBJ oldFrom = SelectObject(from, source);
    HGDIOBJ oldTo = SelectObject(to, scaled);
    // Halftone averages the source pixels: a smooth picture at any scale.
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    const BOOL drawn =
        StretchBlt(to, 0, 0, width, height, from, 0, 0, size.bmWidth, size.bmHeight, SRCCOPY);
    SelectObject(to, oldTo);
    SelectObject(from, oldFrom);
    if (!drawn) {
      DeleteObject(scaled);
      scaled = nullptr;
    }
  } else if (scaled) {
    DeleteObject(scaled);
    scaled = nullptr;
  }
  if (to) DeleteDC(to);
  if (from) DeleteDC(from);
  ReleaseDC(nullptr, screen);
  return scaled;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

CScaledPicture::~CScaledPicture() {
  if (m_scaled) DeleteObject(m_scaled);
}

void CScaledPicture::ScaleIn(HWND dialog) {
  const int dpi = ScreenDpi();
  HWND picture = FindBitmapPicture(dialog);
  if (dpi == kDesignDpi || !picture) return;
  HBITMAP original =
      reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP size = {};
  if (!original || !GetObjectA(original, sizeof size, &size)) return;
  HBITMAP scaled = Stretch(original, size, dpi);
  if (!scaled) return;
  // The control returns the bitmap it loaded from the template, which is now
  // ours to free; its own copy of a bitmap we set (if it makes one) is its own.
  HBITMAP previous = reinterpret_cast<HBITMAP>(
      SendMessageA(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(scaled)));
  if (previous && previous != m_scaled) DeleteObject(previous);
  if (m_scaled) DeleteObject(m_scaled);
  m_scaled = scaled;
}
