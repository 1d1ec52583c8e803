#include "label.h"

#include <string>

#include "fonts.h"
#include "geometry.h"
#include "windows/utf16.h"

namespace Quillo::Win32 {
namespace {

int BorderWidth(const Form::Control& form, UINT dpi) { return form.border ? Scale(1, dpi) : 0; }

}  // namespace

Label::~Label() {
  if (regularFont_ != nullptr) DeleteObject(regularFont_);
  if (boldFont_ != nullptr) DeleteObject(boldFont_);
}

void Label::SetDpi(UINT dpi) {
  dpi_ = dpi;
  if (regularFont_ != nullptr) DeleteObject(regularFont_);
  if (boldFont_ != nullptr) DeleteObject(boldFont_);
  // A label in a regular font has no bold weight to press into, and the
  // other way round; only the "=" labels change weight.
  regularFont_ = MakeFont(form->font, dpi, false);
  boldFont_ = MakeFont(form->font, dpi, true);
  if (!form->font.bold) bold = false;
  Fit();
}

void Label::SetBold(bool value) {
  bold = value;
  Fit();
}

void Label::Fit() {
  if (!form->sizes_to_caption) {
    size = {Pixels(form->place.width, dpi_), Pixels(form->place.height, dpi_)};
    return;
  }
  const std::wstring caption = quillo_eval::ToUtf16(form->caption);
  HDC dc = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, Font());
  SIZE extent{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  const int frame = 2 * BorderWidth(*form, dpi_);
  // A face without a bold weight is emboldened: its overhang is part of the caption.
  size = {extent.cx + metrics.tmOverhang + frame, metrics.tmHeight + frame};
}

void Label::Apply() const {
  Place(RECT{Pixels(left, dpi_), Pixels(top, dpi_), Pixels(left, dpi_) + size.cx,
             Pixels(top, dpi_) + size.cy});
}

void Label::DrawFace(HDC dc, POINT origin) const {
  const RECT frame{origin.x, origin.y, origin.x + size.cx, origin.y + size.cy};
  // The border is drawn in the caption's colour.
  const COLORREF colour = form->colour ? RGB(form->colour->red, form->colour->green, form->colour->blue)
                                       : GetSysColor(COLOR_WINDOWTEXT);
  const int border = BorderWidth(*form, dpi_);
  if (border > 0) {
    HBRUSH line = CreateSolidBrush(colour);
    for (int i = 0; i < border; ++i) {
      const RECT ring{frame.left + i, frame.top + i, frame.right - i, frame.bottom - i};
      FrameRect(dc, &ring, line);
    }
    DeleteObject(line);
  }
  SetTextColor(dc, colour);
  SetBkMode(dc, TRANSPARENT);
  HGDIOBJ previous = SelectObject(dc, Font());
  std::wstring caption = quillo_eval::ToUtf16(form->caption);
  RECT text = frame;
  DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
  SelectObject(dc, previous);
}

}  // namespace Quillo::Win32
