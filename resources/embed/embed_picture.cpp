// quillo-embed-picture: writes a picture's pixels as C++ source, so that the
// program draws it without decoding it (and without loading an image format
// plug-in and its library) at start.
//
//   quillo-embed-picture PICTURE OUT.cpp NAME [alpha]
//
// OUT.cpp defines `const Quillo::EmbeddedPicture NAME` (embedded_picture.h):
// the picture as Qt reads it (its own decoder, so the pixels are the ones the
// program would decode), converted to QImage::Format_RGB32, one 32-bit
// 0xffRRGGBB number a pixel, row after row; with `alpha`, to
// QImage::Format_ARGB32 (0xAARRGGBB).
#include <QFile>
#include <QImage>
#include <QTextStream>
#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
  const bool alpha = argc == 5 && std::strcmp(argv[4], "alpha") == 0;
  if (argc != 4 && !alpha) {
    std::fputs("usage: quillo-embed-picture PICTURE OUT.cpp NAME [alpha]\n", stderr);
    return 2;
  }
  const QString source = QString::fromLocal8Bit(argv[1]);
  const QImage picture =
      QImage(source).convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  if (picture.isNull()) {
    std::fprintf(stderr, "quillo-embed-picture: cannot read %s\n", argv[1]);
    return 1;
  }
  QFile out(QString::fromLocal8Bit(argv[2]));
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    std::fprintf(stderr, "quillo-embed-picture: cannot write %s\n", argv[2]);
    return 1;
  }
  QTextStream text(&out);
  const QString name = QString::fromLocal8Bit(argv[3]);
  text << "// " << source.section(u'/', -1) << ", decoded when the program was built "
       << "(quillo-embed-picture).\n"
       << "#include \"embedded_picture.h\"\n\n"
       << "namespace Quillo {\nnamespace {\n\n"
       << "alignas(16) const unsigned int kPixels[] = {\n";
  for (int y = 0; y < picture.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
    for (int x = 0; x < picture.width(); ++x) {
      text << "0x" << QString::number(row[x], 16) << "u,";
      if (x % 8 == 7 || x + 1 == picture.width()) text << '\n';
    }
  }
  text << "};\n\n}  // namespace\n\n"
       << "extern const EmbeddedPicture " << name << ";\n"
       << "const EmbeddedPicture " << name << "{" << picture.width() << ", " << picture.height()
       << ", kPixels" << (alpha ? ", true" : "") << "};\n\n}  // namespace Quillo\n";
  text.flush();
  return out.error() == QFile::NoError ? 0 : 1;
}
