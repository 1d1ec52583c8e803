// A picture built into the program as pixels, ready to draw.
#pragma once

#include <QImage>

namespace Quillo {

struct EmbeddedPicture {
  int width;
  int height;
  const unsigned int* pixels;  // row after row, no padding
  bool alpha = false;          // Format_ARGB32 if set, else Format_RGB32

  // The picture over the built-in pixels, without a copy.
  QImage Image() const {
    return QImage(reinterpret_cast<const uchar*>(pixels), width, height, width * 4,
                  alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  }
};

// The window's background, decoded from background.jpg at build time: the
// window's client area in its own pixels; and from background@2x.jpg, the
// same at twice the resolution.
extern const EmbeddedPicture kBackgroundPicture;
extern const EmbeddedPicture kBackgroundPicture2x;
// The window icon, decoded from icon-48.png at build time, with its alpha.
extern const EmbeddedPicture kWindowIcon;

}  // namespace Quillo
