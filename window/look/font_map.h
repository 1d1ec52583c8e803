// The window's font names as Linux knows them: "宋体" becomes a Song-style
// CJK face, "Arial" Liberation Sans, "Arial Narrow" Liberation Sans Narrow,
// each with fallbacks that cover Chinese, so no text renders as boxes.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace Quillo {

// The faces to try, best first, for a font name used by the window; for a
// bold font the built-in bold face comes before the Song-style faces.
QStringList LinuxFamilies(const QString& family, bool bold = false);

QFont MapFont(const QString& family, qreal pointSize, bool bold, bool underline = false);

// The width a caption takes in the font, blanks at either end included. A
// bold font whose face has no bold weight is emboldened when drawn, each glyph
// growing by a 24th of the em; Qt leaves that out of the advances, so it is
// added here, and a caption grows when it turns bold, as it does on faces
// with a real bold.
int CaptionWidth(const QFont& font, const QString& caption);

}  // namespace Quillo
