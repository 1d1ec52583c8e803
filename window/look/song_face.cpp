#include "song_face.h"

#include <QByteArray>
#include <QFontDatabase>
#include <QStringList>
#include <cstddef>

namespace Quillo {

// resources/face/song_face.py writes these when the program is built.
extern const unsigned char kSongFace[];
extern const std::size_t kSongFaceSize;
extern const char kSongFamily[];

QString SongFamily() {
  // Qt reads the face where it lies: no copy, and only the pages of the
  // glyphs drawn are ever touched.
  static const QString family = [] {
    const QByteArray face = QByteArray::fromRawData(reinterpret_cast<const char*>(kSongFace),
                                                    qsizetype(kSongFaceSize));
    const int id = QFontDatabase::addApplicationFontFromData(face);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.contains(QLatin1String(kSongFamily)) ? QString::fromLatin1(kSongFamily)
                                                         : QString();
  }();
  return family;
}

}  // namespace Quillo
