// Twips (1/1440 inch) to device-independent pixels. The window's geometry is
// given in twips; at 15 twips a pixel it is laid out in Qt's device-independent
// pixels, so high-DPI scaling keeps it right on any screen.
#pragma once

#include <QRect>

namespace Quillo {

inline constexpr int kTwipsPerPixel = 15;

// The nearest whole pixel (twips are never negative here).
constexpr int Px(int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; }

constexpr QRect TwipsRect(int left, int top, int width, int height) {
  return QRect(Px(left), Px(top), Px(width), Px(height));
}

}  // namespace Quillo
