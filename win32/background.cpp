#include "background.h"

#include "form/form.h"
#include "geometry.h"
#include "resource_ids.h"

namespace Quillo::Win32 {
namespace {

HBITMAP LoadPicture(int id) {
  return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                         IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// Draws `picture` at the top-left corner of `dc`, `scale` device pixels to
// each of its own (1: as it stands).
void DrawPicture(HDC dc, HBITMAP picture, double scale) {
  if (picture == nullptr) return;
  BITMAP size{};
  GetObjectW(picture, sizeof size, &size);
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(source, picture);
  if (scale == 1) {
    BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
  } else {
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, static_cast<int>(size.bmWidth * scale + 0.5),
               static_cast<int>(size.bmHeight * scale + 0.5), source, 0, 0, size.bmWidth,
               size.bmHeight, SRCCOPY);
  }
  SelectObject(source, previous);
  DeleteDC(source);
}

}  // namespace

Background::~Background() { Release(); }

void Background::Release() {
  if (memory_ != nullptr) {
    SelectObject(memory_, previous_);
    DeleteDC(memory_);
  }
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  memory_ = nullptr;
  bitmap_ = nullptr;
}

void Background::Prepare(HDC like, UINT dpi) {
  if (dpi_ == dpi && memory_ != nullptr) return;
  Release();
  const int width = Pixels(Form::kClient.width, dpi);
  const int height = Pixels(Form::kClient.height, dpi);
  memory_ = CreateCompatibleDC(like);
  bitmap_ = CreateCompatibleBitmap(like, width, height);
  previous_ = SelectObject(memory_, bitmap_);
  dpi_ = dpi;

  const RECT all{0, 0, width, height};
  const Form::Rgb blue = Form::kBackground;
  HBRUSH fill = CreateSolidBrush(RGB(blue.red, blue.green, blue.blue));
  FillRect(memory_, &all, fill);
  DeleteObject(fill);
  // The double-size picture's pages are only read on a scaled screen.
  const bool doubled = dpi > kBaseDpi;
  HBITMAP picture = LoadPicture(doubled ? QUILLO_BACKGROUND_2X : QUILLO_BACKGROUND);
  DrawPicture(memory_, picture, doubled ? dpi / (2.0 * kBaseDpi) : 1.0);
  if (picture != nullptr) DeleteObject(picture);
}

void Background::Draw(HDC dc, const RECT& area, POINT to, UINT dpi) {
  Prepare(dc, dpi);
  BitBlt(dc, to.x, to.y, Width(area), Height(area), memory_, area.left, area.top, SRCCOPY);
}

}  // namespace Quillo::Win32
