// quillo-artwork: draws the window's pictures into a folder.
//
//   quillo-artwork DIR
//
// writes DIR/background.jpg (485 x 275, the window's client area, which it
// fills), DIR/background@2x.jpg (the same drawing at twice the resolution,
// for screens scaled above 100 %), DIR/icon-48.png
// and DIR/icon-256.png (the same icon at two sizes) and DIR/quillo.svg (the
// icon as a scalable drawing). The icon is described once, as shapes on a
// 48-unit square, and both the raster and the SVG are made from that
// description. The outputs are committed beside this file's folder; run the
// tool again only to change the artwork.
#include <QColor>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <QTextStream>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// The icon: a calm blue tile, a cream quill feather writing an amber "=".
const QColor kTileTop(0x4a, 0x86, 0xd6);
const QColor kTileBottom(0x1f, 0x4e, 0x96);
const QColor kTileEdge(0x16, 0x39, 0x6f);
const QColor kCream(0xf6, 0xf1, 0xe3);
const QColor kSpine(0x2a, 0x5c, 0xa8);
const QColor kAmber(0xf2, 0xb4, 0x41);

struct Point {
  double x, y;
};

// The feather's vane: from the nib along one quadratic curve to the top, and
// back along another, in 48-unit coordinates.
constexpr Point kNib{11, 38}, kTop{38, 9}, kUpperControl{13, 15}, kLowerControl{33, 34};

struct Stroke {  // a straight line with round caps
  Point from, to;
  double width;
  QColor colour;
};

const std::vector<Stroke>& IconStrokes() {
  static const std::vector<Stroke> strokes = {
      {{7.5, 41.5}, {12, 37}, 2.2, kCream},  // the shaft, out past the nib
      {{12, 37}, {32, 16}, 1.6, kSpine},     // and along the vane
      {{27, 33}, {37.5, 33}, 3.0, kAmber},   // upper bar of "="
      {{27, 39}, {37.5, 39}, 3.0, kAmber},   // lower bar of "="
  };
  return strokes;
}

void DrawIcon(QImage& image) {
  const double scale = image.width() / 48.0;
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);

  QLinearGradient tile(0, 2, 0, 46);
  tile.setColorAt(0, kTileTop);
  tile.setColorAt(1, kTileBottom);
  p.setPen(QPen(kTileEdge, 1));
  p.setBrush(tile);
  p.drawRoundedRect(QRectF(2.5, 2.5, 43, 43), 10, 10);

  QPainterPath vane(QPointF(kNib.x, kNib.y));
  vane.quadTo(kUpperControl.x, kUpperControl.y, kTop.x, kTop.y);
  vane.quadTo(kLowerControl.x, kLowerControl.y, kNib.x, kNib.y);
  p.setPen(Qt::NoPen);
  p.setBrush(kCream);
  p.drawPath(vane);
  for (const Stroke& s : IconStrokes()) {
    p.setPen(QPen(s.colour, s.width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(s.from.x, s.from.y), QPointF(s.to.x, s.to.y));
  }
}

QString IconSvg() {
  QString svg;
  QTextStream out(&svg);
  out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"48\" height=\"48\" viewBox=\"0 0 48 48\">\n"
      << "  <defs>\n"
      << "    <linearGradient id=\"tile\" x1=\"0\" y1=\"2\" x2=\"0\" y2=\"46\" gradientUnits=\"userSpaceOnUse\">\n"
      << "      <stop offset=\"0\" stop-color=\"" << kTileTop.name() << "\"/>\n"
      << "      <stop offset=\"1\" stop-color=\"" << kTileBottom.name() << "\"/>\n"
      << "    </linearGradient>\n"
      << "  </defs>\n"
      << "  <rect x=\"2.5\" y=\"2.5\" width=\"43\" height=\"43\" rx=\"10\" fill=\"url(#tile)\" stroke=\""
      << kTileEdge.name() << "\" stroke-width=\"1\"/>\n"
      << "  <path d=\"M " << kNib.x << ' ' << kNib.y << " Q " << kUpperControl.x << ' '
      << kUpperControl.y << ' ' << kTop.x << ' ' << kTop.y << " Q " << kLowerControl.x << ' '
      << kLowerControl.y << ' ' << kNib.x << ' ' << kNib.y << " Z\" fill=\"" << kCream.name()
      << "\"/>\n";
  for (const Stroke& s : IconStrokes()) {
    out << "  <line x1=\"" << s.from.x << "\" y1=\"" << s.from.y << "\" x2=\"" << s.to.x
        << "\" y2=\"" << s.to.y
        << "\" stroke=\"" << s.colour.name() << "\" stroke-width=\"" << s.width
        << "\" stroke-linecap=\"round\"/>\n";
  }
  out << "</svg>\n";
  return svg;
}

// The backdrop: pale graph paper in a soft blue gradient, a faint shadow that
// frames the three text boxes of the left column, and a light panel that
// gathers the right column (the "=" button, the list and the link). It is
// drawn in the window's pixels (485 x 275), `scale` device pixels to each.
constexpr int kBackgroundWidth = 485;
constexpr int kBackgroundHeight = 275;

QImage Background(int scale) {
  QImage image(kBackgroundWidth * scale, kBackgroundHeight * scale, QImage::Format_RGB32);
  QPainter p(&image);
  p.scale(scale, scale);
  const QRect area(0, 0, kBackgroundWidth, kBackgroundHeight);
  QLinearGradient sky(0, 0, 0, area.height());
  sky.setColorAt(0, QColor(0xee, 0xf3, 0xfa));
  sky.setColorAt(1, QColor(0xd2, 0xde, 0xee));
  p.fillRect(area, sky);

  for (int x = 0; x < area.width(); x += 12) {
    const int alpha = x % 48 == 0 ? 34 : 16;
    p.fillRect(x, 0, 1, area.height(), QColor(60, 100, 160, alpha));
  }
  for (int y = 0; y < area.height(); y += 12) {
    const int alpha = y % 48 == 0 ? 34 : 16;
    p.fillRect(0, y, area.width(), 1, QColor(60, 100, 160, alpha));
  }

  p.setRenderHint(QPainter::Antialiasing);
  // A slow sine wave along the bottom edge, where it shows beneath the boxes.
  QPainterPath wave;
  for (int x = 0; x <= area.width(); ++x) {
    const double y = 270 + 4 * std::sin(x / 30.0);
    if (x == 0) wave.moveTo(x, y); else wave.lineTo(x, y);
  }
  p.setPen(QPen(QColor(40, 90, 170, 70), 1.5));
  p.drawPath(wave);

  // Shadow and edge around the left column (the boxes span 8..353 x 8..265).
  for (int i = 3; i >= 1; --i) {
    p.setPen(QPen(QColor(30, 60, 110, 18 * (4 - i)), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(7.5 - i, 7.5 - i, 346 + 2 * i, 258 + 2 * i), 3 + i, 3 + i);
  }

  // The right column's panel.
  p.setPen(QPen(QColor(40, 80, 140, 70), 1));
  p.setBrush(QColor(255, 255, 255, 150));
  p.drawRoundedRect(QRectF(359.5, 6.5, 120, 264), 8, 8);
  return image;
}

bool Save(const QImage& image, const QString& path, const char* format, int quality) {
  if (image.save(path, format, quality)) return true;
  std::fprintf(stderr, "quillo-artwork: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fputs("usage: quillo-artwork DIR\n", stderr);
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]) + '/';

  bool ok = Save(Background(1), dir + "background.jpg", "JPEG", 92);
  ok = Save(Background(2), dir + "background@2x.jpg", "JPEG", 92) && ok;
  for (const int size : {48, 256}) {
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    DrawIcon(icon);
    ok = Save(icon, dir + QString("icon-%1.png").arg(size), "PNG", -1) && ok;
  }
  QFile svg(dir + "quillo.svg");
  if (svg.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    svg.write(IconSvg().toUtf8());
  } else {
    std::fprintf(stderr, "quillo-artwork: cannot write %s\n", qPrintable(svg.fileName()));
    ok = false;
  }
  return ok ? 0 : 1;
}
