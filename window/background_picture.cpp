#include "background_picture.h"

#include <QPainter>
#include <QRect>
#include <cmath>

#include "embedded_picture.h"

namespace Quillo {

const QImage& BackgroundPicture::ForRatio(qreal ratio) {
  // The built-in pixels, not copies; the double-resolution ones are only
  // read (paged in) on a screen scaled above 100 %.
  static const QImage natural = kBackgroundPicture.Image();
  static const QImage doubled = kBackgroundPicture2x.Image();
  if (ratio <= 1) return natural;
  if (ratio == 2) return doubled;
  if (scaledRatio_ != ratio) {
    const QSize size(int(std::ceil(natural.width() * ratio)),
                     int(std::ceil(natural.height() * ratio)));
    scaled_ = doubled.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaledRatio_ = ratio;
  }
  return scaled_;
}

// The picture's pixels go 1:1 onto the device's: the painter's own scaling
// by `ratio` and the picture's larger size cancel out.
void BackgroundPicture::Draw(QPainter& painter, const QRect& area, qreal ratio) {
  const QImage& pixels = ForRatio(ratio);
  const qreal scale = ratio <= 1 ? 1 : ratio;
  painter.drawImage(QRectF(area.topLeft(), QSizeF(pixels.size()) / scale), pixels);
}

}  // namespace Quillo
