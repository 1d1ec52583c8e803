#include "background_picture.h"

#include <QPainter>
#include <QRect>
#include <algorithm>
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
//
// Where the painter only shifts, it is drawn in bands of a few rows. Around
// the window's opaque controls Qt's raster engine draws the picture as a run
// of spans, a few to a row, and hands a run of more than about a hundred to
// its thread pool: whole, the picture started two threads (and their memory
// arenas) while the window was first painted, for a copy of half a
// megabyte. A band stays below that; the pixels are the same.
void BackgroundPicture::Draw(QPainter& painter, const QRect& area, qreal ratio) {
  const QImage& pixels = ForRatio(ratio);
  const qreal scale = ratio <= 1 ? 1 : ratio;
  if (painter.deviceTransform().type() <= QTransform::TxTranslate) {
    constexpr int kBandRows = 16;
    for (int y = 0; y < pixels.height(); y += kBandRows) {
      const QRect band(0, y, pixels.width(), std::min(kBandRows, pixels.height() - y));
      painter.drawImage(band.translated(area.topLeft()), pixels, band);
    }
    return;
  }
  painter.drawImage(QRectF(area.topLeft(), QSizeF(pixels.size()) / scale), pixels);
}

}  // namespace Quillo
