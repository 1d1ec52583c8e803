// The window's font names resolve to installed Linux faces, at the sizes
// given, and every text the window shows has its glyphs in those faces. The
// built-in Song-style face holds every character of the window's own texts
// and draws each exactly as the whole face does.
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QRawFont>
#include <QtTest>

#include "an_dh.h"
#include "table.h"
#include "look/font_map.h"
#include "look/song_face.h"

class FontMapTest : public QObject {
  Q_OBJECT

private slots:
  void resolves_data() {
    QuilloTest::Table<QString, qreal, bool, QString>(
        {"family", "points", "bold", "face"},
        {{"formula", "Arial", 14.25, true, "Liberation Sans"},
         {"result", "Arial Narrow", 18.0, true, "Liberation Sans Narrow"},
         {"history", "Arial", 12.0, true, "Liberation Sans"},
         {"=", "宋体", 27.75, true, Quillo::SongFamily()},
         {"list", "宋体", 9.0, false, Quillo::SongFamily()}});
  }
  void resolves() {
    const auto [family, points, bold, face] =
        QuilloTest::Fetch<QString, qreal, bool, QString>({"family", "points", "bold", "face"});
    const QFont font = Quillo::MapFont(family, points, bold);
    QCOMPARE(QFontInfo(font).family(), face);
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
  }

  // Each character must be in one of the faces tried for that font (not in
  // some face the system happens to substitute), or it would show as a box.
  void noBoxes_data() {
    QuilloTest::Table<QString, QString>(
        {"family", "text"},
        {{"list entries", "宋体", Quillo::AN_DH::FunctionEntries().join(QString())},
         {"captions", "宋体", "  =  可用函数列表去淘宝网逛逛"},
         {"history separator", "Arial", Quillo::AN_DH::HistorySeparator()},
         {"full-width formula", "Arial", "（１＋２）＊３，４－５／６＾７"},
         {"results", "Arial Narrow", " -.0123456789E+"}});
  }
  void noBoxes() {
    const auto [family, text] = QuilloTest::Fetch<QString, QString>({"family", "text"});
    QList<QRawFont> faces;
    for (const QString& face : Quillo::LinuxFamilies(family)) {
      const QRawFont raw = QRawFont::fromFont(QFont(face));
      if (raw.isValid() && raw.familyName() == face) faces.append(raw);
    }
    QVERIFY(!faces.isEmpty());
    for (const char32_t c : text.toUcs4()) {
      const bool covered = std::any_of(faces.begin(), faces.end(),
                                       [c](const QRawFont& face) { return face.supportsCharacter(c); });
      QVERIFY2(covered, qPrintable(QStringLiteral("no face has U+%1").arg(uint(c), 4, 16, QChar(u'0'))));
    }
  }

  // The bold boxes' built-in bold face: it has the characters a Chinese
  // input method types into a formula and the history's separator, is a
  // bold of its own (Qt does not embolden it again) and is wider than the
  // whole face by its strokes' growth, a 12th of the em.
  void songBoldFace_data() {
    QTest::addColumn<QString>("text");
    QString forms;
    for (char16_t c = 0xFF01; c <= 0xFF5E; ++c) forms.append(QChar(c));
    QTest::newRow("full-width forms") << forms;
    QTest::newRow("history separator") << Quillo::AN_DH::HistorySeparator();
    QTest::newRow("list entries") << Quillo::AN_DH::FunctionEntries().join(QString());
  }
  void songBoldFace() {
    QFETCH(QString, text);
    const QFont font = Quillo::MapFont(QStringLiteral("Arial"), 12, true);
    QVERIFY(!Quillo::SongBoldFamily().isEmpty());
    QVERIFY(font.families().indexOf(Quillo::SongBoldFamily()) <
            font.families().indexOf(Quillo::SongFamily()));
    QVERIFY(!Quillo::MapFont(QStringLiteral("Arial"), 12, false).families().contains(Quillo::SongBoldFamily()));
    QFont boldFace = font;
    boldFace.setFamilies({Quillo::SongBoldFamily()});
    QFont whole = font;
    whole.setFamilies({QStringLiteral("AR PL UMing CN")});
    const QRawFont bold = QRawFont::fromFont(boldFace);
    const QRawFont reference = QRawFont::fromFont(whole);
    QCOMPARE(bold.familyName(), Quillo::SongBoldFamily());
    QCOMPARE(bold.weight(), int(QFont::Bold));
    for (const char32_t c : text.toUcs4()) {
      if (c < 0x100) continue;  // Latin letters come from the Latin faces
      const QString character = QString::fromUcs4(&c, 1);
      const QByteArray what = QStringLiteral("U+%1").arg(uint(c), 4, 16, QChar(u'0')).toLatin1();
      QVERIFY2(bold.supportsCharacter(c), what.constData());
      const qreal wider = bold.advancesForGlyphIndexes(bold.glyphIndexesForString(character)).value(0).x() -
                          reference.advancesForGlyphIndexes(reference.glyphIndexesForString(character)).value(0).x();
      QVERIFY2(qAbs(wider - bold.pixelSize() / 12) <= 1, what.constData());
    }
  }

  // The window's "宋体" texts, at the sizes it draws them: the built-in face
  // must have every character (or the whole 21 MB face is mapped to draw it)
  // and give each glyph the very pixels and advance of the whole face (the
  // subset must not change outlines, bitmaps, metrics or the hinting).
  void songFaceDrawsAsTheWholeFace_data() {
    const QString entries = Quillo::AN_DH::FunctionEntries().join(QString());
    QuilloTest::Table<qreal, bool, QString>(
        {"points", "bold", "text"},
        {{"list entries, 9 pt", 9.0, false, entries},
         {"list entries, 12 pt", 12.0, false, entries},
         {"caption, 12 pt", 12.0, false, "可用函数列表"},
         {"link, 9 pt", 9.0, false, "去淘宝网逛逛"},
         {"=, 27.75 pt bold", 27.75, true, "="},
         {"printable ASCII, 9 pt", 9.0, false,
          " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~"},
         {"Chinese, 27.75 pt bold", 27.75, true, "可用函数列表去淘宝网逛逛绝对值"}});
  }
  // Qt shares a face's engine among the scripts of a text (Latin, Han,
  // Greek in "Pi(): π值") only for a face it counts as Latin; otherwise it
  // loads the face once for each script.
  void songFaceCountsAsLatin() {
    QVERIFY(QFontDatabase::writingSystems(Quillo::SongFamily()).contains(QFontDatabase::Latin));
  }

  void songFaceDrawsAsTheWholeFace() {
    const auto [points, bold, text] = QuilloTest::Fetch<qreal, bool, QString>({"points", "bold", "text"});
    const QFont font = Quillo::MapFont(QStringLiteral("宋体"), points, bold);
    QVERIFY(!Quillo::SongFamily().isEmpty());
    QCOMPARE(font.families().value(0), Quillo::SongFamily());
    QFont whole = font;
    whole.setFamilies({QStringLiteral("AR PL UMing CN")});
    const QRawFont song = QRawFont::fromFont(font);
    const QRawFont reference = QRawFont::fromFont(whole);
    QCOMPARE(song.familyName(), Quillo::SongFamily());
    QCOMPARE(reference.familyName(), QStringLiteral("AR PL UMing CN"));
    QCOMPARE(song.ascent(), reference.ascent());
    QCOMPARE(song.descent(), reference.descent());
    QCOMPARE(song.leading(), reference.leading());
    for (const char32_t c : text.toUcs4()) {
      const QString character = QString::fromUcs4(&c, 1);
      const auto songGlyphs = song.glyphIndexesForString(character);
      const auto wholeGlyphs = reference.glyphIndexesForString(character);
      const QByteArray what = QStringLiteral("U+%1").arg(uint(c), 4, 16, QChar(u'0')).toLatin1();
      QVERIFY2(song.supportsCharacter(c), what.constData());
      QCOMPARE(song.advancesForGlyphIndexes(songGlyphs), reference.advancesForGlyphIndexes(wholeGlyphs));
      const QImage drawn = song.alphaMapForGlyph(songGlyphs.value(0), QRawFont::PixelAntialiasing);
      const QImage expected = reference.alphaMapForGlyph(wholeGlyphs.value(0), QRawFont::PixelAntialiasing);
      QVERIFY2(drawn == expected, what.constData());
    }
  }
};

QTEST_MAIN(FontMapTest)
#include "font_map_test.moc"
