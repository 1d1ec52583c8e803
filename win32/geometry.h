// The form's twips on a screen: laid out in 96-DPI pixels (15 twips each, as
// the form rounds them) and scaled to the monitor's DPI, so that the window
// has the same shape at every scale.
#pragma once

#include <windows.h>

#include "form/form.h"

namespace Quillo::Win32 {

inline constexpr UINT kBaseDpi = USER_DEFAULT_SCREEN_DPI;  // 96

// Pixels at 96 DPI to pixels at `dpi`.
inline int Scale(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), kBaseDpi); }
inline int Pixels(int twips, UINT dpi) { return Scale(Form::Px(twips), dpi); }

inline RECT PixelRect(const Form::Twips& place, UINT dpi) {
  const int left = Pixels(place.left, dpi);
  const int top = Pixels(place.top, dpi);
  return {left, top, left + Pixels(place.width, dpi), top + Pixels(place.height, dpi)};
}

inline int Width(const RECT& rect) { return rect.right - rect.left; }
inline int Height(const RECT& rect) { return rect.bottom - rect.top; }

}  // namespace Quillo::Win32
