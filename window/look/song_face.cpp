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
extern const unsigned char kSongBoldFace[];
extern const std::size_t kSongBoldFaceSize;
extern const char kSongBoldFamily[];

namespace {

// Qt reads the face where it lies: no copy, and only the pages of the glyphs
// drawn are ever touched.
QString Register(const unsigned char* data, std::size_t size, const char* family) {
  const QByteArray face =
      QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
  const int id = QFontDatabase::addApplicationFontFromData(face);
  const QStringList families = QFontDatabase::applicationFontFamilies(id);
  return families.contains(QLatin1String(family)) ? QString::fromLatin1(family) : QString();
}

}  // namespace

QString SongFamily() {
  static const QString family = Register(kSongFace, kSongFaceSize, kSongFamily);
  return family;
}

QString SongBoldFamily() {
  static const QString family = Register(kSongBoldFace, kSongBoldFaceSize, kSongBoldFamily);
  return family;
}

}  // namespace Quillo
