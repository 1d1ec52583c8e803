// The window's background picture, drawn sharp at any screen scaling: the
// built-in pixels at 100 %, the built-in double-resolution pixels at 200 %,
// and those scaled once to the screen's own pixels at any other ratio.
#pragma once

#include <QImage>

class QPainter;
class QRect;

namespace Quillo {

class BackgroundPicture {
public:
  // Draws the picture over `area` (the client area, in device-independent
  // pixels) for a device of `ratio` pixels to each device-independent one.
  void Draw(QPainter& painter, const QRect& area, qreal ratio);

  // The pixels that Draw puts on such a device: the picture's whole area,
  // `ratio` times over in each direction (rounded up).
  const QImage& ForRatio(qreal ratio);

private:
  QImage scaled_;  // for the one ratio other than 1 and 2 in use, made when first drawn
  qreal scaledRatio_ = 0;
};

}  // namespace Quillo
