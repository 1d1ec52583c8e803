#include "font_map.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QtMath>

#include "song_face.h"

namespace Quillo {
namespace {

// Song-style faces first (the look of "宋体"): the built-in one for the
// window's own texts (bold: the built-in bold, which also has the full-width
// forms), the whole one for any other character; then any CJK face.
QStringList ChineseFamilies(bool bold) {
  QStringList faces = {"AR PL UMing CN", "Noto Serif CJK SC", "Noto Sans CJK SC",
                       "WenQuanYi Zen Hei", "AR PL UMing TW"};
  if (const QString song = SongFamily(); !song.isEmpty()) faces.prepend(song);
  if (const QString song = bold ? SongBoldFamily() : QString(); !song.isEmpty()) {
    faces.prepend(song);
  }
  return faces;
}

}  // namespace

QStringList LinuxFamilies(const QString& family, bool bold) {
  QStringList faces;
  if (family == QStringLiteral("宋体")) {
    // "宋体" draws only the window's own texts (captions, "=", the list),
    // every character of which the built-in face holds: named alone, Qt
    // looks up no fallback faces for it (a fontconfig sort for each script
    // of a text, some 0.5 ms each at start).
    if (const QString song = SongFamily(); !song.isEmpty()) return {song};
  } else if (family == QStringLiteral("Arial")) {
    faces = {"Liberation Sans", "Arimo", "DejaVu Sans"};
  } else if (family == QStringLiteral("Arial Narrow")) {
    faces = {"Liberation Sans Narrow", "Liberation Sans", "DejaVu Sans Condensed"};
  } else {
    faces = {family};
  }
  // Every face falls back on the CJK faces for the characters it lacks
  // (full-width brackets in a formula, the history's separator).
  return faces + ChineseFamilies(bold);
}

QFont MapFont(const QString& family, qreal pointSize, bool bold, bool underline) {
  QFont font;
  font.setFamilies(LinuxFamilies(family, bold));
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
