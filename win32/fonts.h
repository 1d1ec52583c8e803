// The form's fonts as Windows has them: "宋体" in the GB2312 character set,
// the others western, sized at the monitor's DPI. A face this Windows lacks
// is replaced by the nearest one it has (Song-style first for "宋体", the
// metric twins of Arial where only those exist, as under Wine).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "form/form.h"

namespace Quillo::Win32 {

// The face to ask Windows for in place of the form's `face`.
std::wstring InstalledFace(std::string_view face);

// A new font (the caller deletes it); `bold` overrides the form's weight.
HFONT MakeFont(const Form::Font& font, UINT dpi, bool bold);
inline HFONT MakeFont(const Form::Font& font, UINT dpi) { return MakeFont(font, dpi, font.bold); }

}  // namespace Quillo::Win32
