// Twips (1/1440 inch) to device-independent pixels. The form gives its
// geometry in twips (form/form.h); at 15 twips a pixel it is laid out in Qt's
// device-independent pixels, so high-DPI scaling keeps it right on any screen.
#pragma once

#include <QRect>

#include "form/form.h"

namespace Quillo {

using Form::kTwipsPerPixel;
using Form::Px;

constexpr QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(Px(left), Px(top), Px(width), Px(height));
}
constexpr QRect TwipsRect(const Form::Twips& twips) {
  return TwipsRect(twips.left, twips.top, twips.width, twips.height);
}

}  // namespace Quillo
