// The window's font names as Linux knows them: "宋体" becomes a Song-style
// CJK face, "Arial" Liberation Sans, "Arial Narrow" Liberation Sans Narrow,
// each with fallbacks that cover Chinese, so no text renders as boxes.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace Quillo {

// The faces to try, best first, for a font name used by the window.
QStringList LinuxFamilies(const QString& family);

QFont MapFont(const QString& family, qreal pointSize, bool bold, bool underline = false);

}  // namespace Quillo
