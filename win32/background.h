// The window's background: blue, and the picture from the top-left corner in
// the screen's own pixels (background.jpg at 100 %, background@2x.jpg on
// scaled screens, reduced where the scale is not 200 %). It is drawn once
// per DPI into a bitmap the size of the client area; the window and its
// transparent labels copy their parts from there.
#pragma once

#include <windows.h>

namespace Quillo::Win32 {

class Background {
public:
  Background() = default;
  Background(const Background&) = delete;
  Background& operator=(const Background&) = delete;
  ~Background();

  // Copies the part `area` of the client area (in its pixels at `dpi`) to
  // `dc` at `to`.
  void Draw(HDC dc, const RECT& area, POINT to, UINT dpi);

private:
  void Prepare(HDC like, UINT dpi);
  void Release();

  UINT dpi_ = 0;
  HDC memory_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace Quillo::Win32
