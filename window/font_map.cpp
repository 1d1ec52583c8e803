#include "font_map.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QtMath>

namespace Quillo {
namespace {

// Song-style faces first (the look of "宋体"), then any CJK face.
const QStringList kChinese = {"AR PL UMing CN", "Noto Serif CJK SC", "Noto Sans CJK SC",
                              "WenQuanYi Zen Hei", "AR PL UMing TW"};

}  // namespace

QStringList LinuxFamilies(const QString& family) {
  QStringList faces;
  if (family == QStringLiteral("Arial")) {
    faces = {"Liberation Sans", "Arimo", "DejaVu Sans"};
  } else if (family == QStringLiteral("Arial Narrow")) {
    faces = {"Liberation Sans Narrow", "Liberation Sans", "DejaVu Sans Condensed"};
  } else if (family != QStringLiteral("宋体")) {
    faces = {family};
  }
  // Every face falls back on the CJK faces for the characters it lacks
  // (full-width brackets in a formula, the history's separator).
  return faces + kChinese;
}

QFont MapFont(const QString& family, qreal pointSize, bool bold, bool underline) {
  QFont font;
  font.setFamilies(LinuxFamilies(family));
  font.setStyleHint(family == QStringLiteral("宋体") ? QFont::Serif : QFont::SansSerif);
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  font.setUnderline(underline);
  return font;
}

int CaptionWidth(const QFont& font, const QString& caption) {
  const int advance = QFontMetrics(font).horizontalAdvance(caption);
  const QFontInfo face(font);
  if (!font.bold() || QFontDatabase::weight(face.family(), face.styleName()) >= QFont::DemiBold) {
    return advance;
  }
  return advance + qCeil(caption.size() * face.pixelSize() / 24.0);
}

}  // namespace Quillo
