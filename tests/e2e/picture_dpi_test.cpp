// The picture of the options dialog at the usual display scales: the program is
// DPI aware, so it must draw the picture at the size of its frame itself. Each
// run saves a screenshot of the dialog in bin/screenshots/.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "zuru_e2e.h"

namespace e2e {
namespace {

// The picture's own size, at 96 DPI.
constexpr int kPictureWidth = 195;
constexpr int kPictureHeight = 69;

// The display's DPI as Windows (and Wine) reads it when a program starts:
// HKCU\Control Panel\Desktop, LogPixels. Set for the life of the object.
class DisplayDpi {
 public:
  explicit DisplayDpi(DWORD dpi) {
    RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                    KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &m_key, nullptr);
    DWORD old = 0;
    DWORD size = sizeof old;
    DWORD type = 0;
    if (RegQueryValueExA(m_key, "LogPixels", nullptr, &type, reinterpret_cast<BYTE*>(&old),
                         &size) == ERROR_SUCCESS &&
        type == REG_DWORD) {
      m_old = old;
    }
    RegSetValueExA(m_key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                   sizeof dpi);
  }
  ~DisplayDpi() {
    if (m_old) {
      RegSetValueExA(m_key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&*m_old),
                     sizeof *m_old);
    } else {
      RegDeleteValueA(m_key, "LogPixels");
    }
    RegCloseKey(m_key);
  }

 private:
  HKEY m_key = nullptr;
  std::optional<DWORD> m_old;
};

// The pixels of a part of the screen, top row first, as 0x00RRGGBB.
struct ScreenPixels {
  int width = 0;
  int height = 0;
  std::vector<DWORD> pixels;
  DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

// The pixels of `bitmap`, which no device context holds.
ScreenPixels PixelsOf(HDC dc, HBITMAP bitmap, int width, int height) {
  ScreenPixels shot;
  shot.width = width;
  shot.height = height;
  shot.pixels.assign(static_cast<size_t>(width) * height, 0);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  GetDIBits(dc, bitmap, 0, height, shot.pixels.data(), &info, DIB_RGB_COLORS);
  return shot;
}

ScreenPixels Capture(const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  SelectObject(memory, old);
  ScreenPixels shot = PixelsOf(memory, bitmap, width, height);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return shot;
}

// The picture as ZURU.EXE holds it, which it shows as it is at 96 DPI.
ScreenPixels OwnPicture() {
  ScreenPixels picture;
  HMODULE exe = LoadLibraryExA(ZuruExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!exe) return picture;
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageA(exe, MAKEINTRESOURCEA(IDB_PICTURE), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  BITMAP size = {};
  if (bitmap && GetObjectA(bitmap, sizeof size, &size)) {
    HDC screen = GetDC(nullptr);
    picture = PixelsOf(screen, bitmap, size.bmWidth, size.bmHeight);
    ReleaseDC(nullptr, screen);
  }
  if (bitmap) DeleteObject(bitmap);
  FreeLibrary(exe);
  return picture;
}

// As a 24-bit BMP: the screen's fourth byte is no alpha, though viewers take it as one.
void SaveBmp(const ScreenPixels& shot, const std::string& path) {
  const int rowBytes = (shot.width * 3 + 3) & ~3;
  std::vector<char> rows(static_cast<size_t>(rowBytes) * shot.height, 0);
  for (int y = 0; y < shot.height; ++y) {
    for (int x = 0; x < shot.width; ++x) {
      const DWORD pixel = shot.At(x, y);
      char* to = &rows[static_cast<size_t>(y) * rowBytes + x * 3];
      to[0] = static_cast<char>(pixel & 0xFF);  // blue, green, red
      to[1] = static_cast<char>((pixel >> 8) & 0xFF);
      to[2] = static_cast<char>((pixel >> 16) & 0xFF);
    }
  }
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof header;
  header.biWidth = shot.width;
  header.biHeight = -shot.height;  // top row first
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + static_cast<DWORD>(rows.size());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  out.write(rows.data(), static_cast<std::streamsize>(rows.size()));
}

RECT ScreenRect(HWND window) {
  RECT rect = {};
  GetWindowRect(window, &rect);
  return rect;
}

// The inside of a control's frame, on the screen.
RECT ClientScreenRect(HWND control) {
  RECT rect = {};
  GetClientRect(control, &rect);
  MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

HWND FindPicture(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassName(child) == "Static" &&
        (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP)
      return child;
  }
  return nullptr;
}

// What is drawn inside the frame: the smallest box around every pixel that
// differs from the frame's background at its left edge (the picture is centred
// and narrower than its frame). Empty when nothing is drawn.
RECT DrawnBox(const ScreenPixels& inside) {
  const DWORD background = inside.At(0, inside.height / 2);
  RECT box = {inside.width, inside.height, 0, 0};
  for (int y = 0; y < inside.height; ++y) {
    for (int x = 0; x < inside.width; ++x) {
      if (inside.At(x, y) == background) continue;
      box.left = std::min<LONG>(box.left, x);
      box.right = std::max<LONG>(box.right, x + 1);
      box.top = std::min<LONG>(box.top, y);
      box.bottom = std::max<LONG>(box.bottom, y + 1);
    }
  }
  return IsRectEmpty(&box) ? RECT{} : box;
}

std::pair<int, int> DrawnSize(const ScreenPixels& inside) {
  const RECT box = DrawnBox(inside);
  return {box.right - box.left, box.bottom - box.top};
}

// The average red, green and blue of a part of `shot`.
std::array<double, 3> AverageColour(const ScreenPixels& shot, const RECT& part) {
  std::array<double, 3> sum = {};
  for (int y = part.top; y < part.bottom; ++y) {
    for (int x = part.left; x < part.right; ++x) {
      const DWORD pixel = shot.At(x, y);
      sum[0] += (pixel >> 16) & 0xFF;
      sum[1] += (pixel >> 8) & 0xFF;
      sum[2] += pixel & 0xFF;
    }
  }
  const double count = static_cast<double>(part.right - part.left) * (part.bottom - part.top);
  for (double& channel : sum) channel /= count;
  return sum;
}

constexpr int kSquare = 13;  // pixels of the picture: smoothing blurs only their edges
// Smoothing and rounding change a square's average by up to about 15; a
// picture stretched otherwise, or cut, by ten times that.
constexpr int kMostColourDifference = 40;

struct PictureDifference {
  int x = 0;  // the top left corner of the square that differs most, in `own`
  int y = 0;
  int colour = 0;  // its largest difference in red, green or blue, 0 to 255
  int compared = 0;
  int squares = 0;
};

// Where the drawn picture differs most from `own` scaled by dpi / 96: squares
// of `own`, each compared in its average colour with the same part of the
// drawn picture; those the frame cuts (it centres the picture) are left out.
PictureDifference LargestDifference(const ScreenPixels& own, const ScreenPixels& inside, int dpi) {
  const RECT box = DrawnBox(inside);
  const int left = box.left - (MulDiv(own.width, dpi, 96) - (box.right - box.left)) / 2;
  const int top = box.top - (MulDiv(own.height, dpi, 96) - (box.bottom - box.top)) / 2;
  PictureDifference largest;
  largest.squares = (own.width / kSquare) * (own.height / kSquare);
  for (int y = 0; y + kSquare <= own.height; y += kSquare) {
    for (int x = 0; x + kSquare <= own.width; x += kSquare) {
      const RECT drawn = {left + MulDiv(x, dpi, 96), top + MulDiv(y, dpi, 96),
                          left + MulDiv(x + kSquare, dpi, 96), top + MulDiv(y + kSquare, dpi, 96)};
      if (drawn.left < 0 || drawn.top < 0 || drawn.right > inside.width ||
          drawn.bottom > inside.height) {
        continue;
      }
      ++largest.compared;
      const auto want = AverageColour(own, RECT{x, y, x + kSquare, y + kSquare});
      const auto have = AverageColour(inside, drawn);
      for (int channel = 0; channel < 3; ++channel) {
        const int difference = static_cast<int>(std::abs(want[channel] - have[channel]) + 0.5);
        if (difference > largest.colour) {
          largest.x = x;
          largest.y = y;
          largest.colour = difference;
        }
      }
    }
  }
  return largest;
}

// Colours that differ by no more than this in red, green and blue are the
// same to the eye and to a screen's rounding; the picture's own (the 16
// standard colours) differ by 64 and more.
constexpr int kSameColour = 12;

// Of every thousand pixels of the drawn picture, how many have a colour that
// `own` has nowhere: where two of its colours meet, smoothing mixes them;
// stretching by repeating pixels, as without smoothing, makes none.
int MixedPerThousand(const ScreenPixels& own, const ScreenPixels& inside) {
  std::vector<DWORD> colours(own.pixels.size());
  for (size_t i = 0; i < colours.size(); ++i) colours[i] = own.pixels[i] & 0xFFFFFF;
  std::sort(colours.begin(), colours.end());
  colours.erase(std::unique(colours.begin(), colours.end()), colours.end());
  auto isOwn = [&](DWORD pixel) {
    return std::any_of(colours.begin(), colours.end(), [&](DWORD colour) {
      for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((pixel >> shift) & 0xFF);
        const int b = static_cast<int>((colour >> shift) & 0xFF);
        if (std::abs(a - b) > kSameColour) return false;
      }
      return true;
    });
  };
  const RECT box = DrawnBox(inside);
  int mixed = 0;
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left; x < box.right; ++x)
      if (!isOwn(inside.At(x, y))) ++mixed;
  const int pixels = (box.right - box.left) * (box.bottom - box.top);
  return pixels > 0 ? MulDiv(mixed, 1000, pixels) : 0;
}

// A smoothed picture has more mixed colours than this: far fewer than Wine's
// smoothing makes, far more than the rounding of a screen's colours would.
constexpr int kLeastMixedPerThousand = 10;

std::string ScreenshotFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder.erase(folder.find_last_of('\\') + 1);
  folder += "screenshots";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

class PictureDpiTest : public ZuruTest, public ::testing::WithParamInterface<int> {};

// The picture is stretched with the dialog: at 96 DPI it keeps its own size;
// at 120, 144 and 192 DPI it grows by the same factor as the display, and so
// fills its frame as it does at 96 DPI.
TEST_P(PictureDpiTest, FillsItsFrameAsAt96Dpi) {
  const int dpi = GetParam();
  DisplayDpi display(dpi);
  ZuruSession session;
  session.Start(kStartLine);
  const Dialog dialog = session.Options();
  HWND picture = FindPicture(dialog.Handle());
  ASSERT_NE(picture, nullptr) << "the options dialog has no bitmap picture";
  const RECT inside = ClientScreenRect(picture);
  const int frameWidth = inside.right - inside.left;
  const int frameHeight = inside.bottom - inside.top;
  // The frame follows the display's scale, as the dialog's units do (with the
  // font sizes' rounding): 44 dialog units are 65 to 72 pixels at 96 DPI.
  EXPECT_NEAR(frameHeight * 96.0 / dpi, 68, 8)
      << "a frame " << frameHeight << " pixels high: the dialog is not at " << dpi << " DPI";

  const int wantedWidth = std::min(frameWidth, MulDiv(kPictureWidth, dpi, 96));
  const int wantedHeight = std::min(frameHeight, MulDiv(kPictureHeight, dpi, 96));
  // Painting settles after the dialog shows.
  const auto drawn = Settled(
      [&] {
        const auto size = DrawnSize(Capture(inside));
        return std::abs(size.first - wantedWidth) <= 2 && std::abs(size.second - wantedHeight) <= 2
                   ? std::make_pair(wantedWidth, wantedHeight)
                   : size;
      },
      std::make_pair(wantedWidth, wantedHeight));
  EXPECT_EQ(drawn, std::make_pair(wantedWidth, wantedHeight))
      << "the picture in a frame of " << frameWidth << " by " << frameHeight << " pixels";
  EXPECT_GE(drawn.second, frameHeight * 9 / 10) << "the picture does not fill its frame";

  // And what is drawn is the picture at 96 DPI grown by the same factor both
  // ways, not stretched more in one of them and cut by the frame.
  const ScreenPixels own = OwnPicture();
  ASSERT_EQ(std::make_pair(own.width, own.height), std::make_pair(kPictureWidth, kPictureHeight))
      << "the picture ZURU.EXE holds";
  PictureDifference largest;
  Settled(
      [&] {
        largest = LargestDifference(own, Capture(inside), dpi);
        return largest.colour <= kMostColourDifference && largest.compared * 2 >= largest.squares;
      },
      true);
  EXPECT_GE(largest.compared * 2, largest.squares)
      << "of " << largest.squares << " parts of the picture, only " << largest.compared
      << " lie inside the frame where they belong";
  EXPECT_LE(largest.colour, kMostColourDifference)
      << "the picture at " << dpi << " DPI differs from the one at 96 DPI grown by " << dpi
      << "/96: by " << largest.colour << " in a colour where its part of " << kSquare << " by "
      << kSquare << " pixels at (" << largest.x << ", " << largest.y << ") at 96 DPI is drawn";

  // Stretched smoothly: where its colours meet, it has mixed ones (33 to 49
  // in a thousand pixels at 120 to 192 DPI under Wine; none when stretched by
  // repeating pixels); at 96 DPI it is drawn as it is, with none.
  const bool stretched = dpi != 96;
  int mixed = 0;
  Settled(
      [&] {
        mixed = MixedPerThousand(own, Capture(inside));
        return (mixed >= kLeastMixedPerThousand) == stretched;
      },
      true);
  EXPECT_EQ(mixed >= kLeastMixedPerThousand, stretched)
      << mixed << " pixels in a thousand of the picture at " << dpi
      << " DPI have a colour that the picture has nowhere: "
      << (stretched ? "it is stretched without smoothing" : "it is not drawn as it is");
  SaveBmp(Capture(ScreenRect(dialog.Handle())),
          ScreenshotFolder() + "\\options-" + std::to_string(dpi) + "dpi.bmp");
  ASSERT_NO_FATAL_FAILURE(CancelRun(session, dialog));
}

INSTANTIATE_TEST_SUITE_P(Displays, PictureDpiTest, ::testing::Values(96, 120, 144, 192),
                         [](const auto& info) { return std::to_string(info.param) + "dpi"; });

}  // namespace
}  // namespace e2e
