// A label of the form, drawn by the window (owner-drawn): transparent over
// the picture, its caption centred, with a flat single-line border where the
// form gives one. A label that sizes itself to its caption takes the size of
// the caption in its current weight, keeping its top-left corner.
//
// Its place is kept in twips, so that a change of DPI puts it where it was.
// The window text is the accessible name, which Windows' accessibility reads;
// the caption comes from the form.
#pragma once

#include <windows.h>

#include "controls.h"
#include "form/form.h"

namespace Quillo::Win32 {

class Label : public Control {
public:
  explicit Label(const Form::Control& form) : form(&form), left(form.place.left), top(form.place.top) {}

  const Form::Control* form;
  int left, top;  // twips
  bool bold = true;
  SIZE size{};    // pixels at the window's DPI

  // Makes the fonts for `dpi` and takes the size the label has there.
  void SetDpi(UINT dpi);
  void SetBold(bool value);
  // Moves the control to its place and size.
  void Apply() const;
  // The border and the caption, at `origin`; the background is the window's.
  void DrawFace(HDC dc, POINT origin) const;

  Label(const Label&) = delete;
  Label& operator=(const Label&) = delete;
  ~Label();

private:
  void Fit();
  HFONT Font() const { return bold ? boldFont_ : regularFont_; }

  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  HFONT regularFont_ = nullptr;
  HFONT boldFont_ = nullptr;
};

}  // namespace Quillo::Win32
