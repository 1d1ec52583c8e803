// The window's font names resolve to installed Linux faces, at the sizes
// given, and every text the window shows has its glyphs in those faces.
#include <QFontInfo>
#include <QRawFont>
#include <QtTest>

#include "an_dh.h"
#include "font_map.h"

class FontMapTest : public QObject {
  Q_OBJECT

private slots:
  void resolves_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("face");
    QTest::newRow("formula") << "Arial" << 14.25 << true << "Liberation Sans";
    QTest::newRow("result") << "Arial Narrow" << 18.0 << true << "Liberation Sans Narrow";
    QTest::newRow("history") << "Arial" << 12.0 << true << "Liberation Sans";
    QTest::newRow("=") << "宋体" << 27.75 << true << "AR PL UMing CN";
    QTest::newRow("list") << "宋体" << 9.0 << false << "AR PL UMing CN";
  }
  void resolves() {
    QFETCH(QString, family);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(QString, face);
    const QFont font = Quillo::MapFont(family, points, bold);
    QCOMPARE(QFontInfo(font).family(), face);
    QCOMPARE(font.pointSizeF(), points);
    QCOMPARE(font.bold(), bold);
  }

  // Each character must be in one of the faces tried for that font (not in
  // some face the system happens to substitute), or it would show as a box.
  void noBoxes_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("text");
    QTest::newRow("list entries") << "宋体" << Quillo::AN_DH::FunctionEntries().join(QString());
    QTest::newRow("captions") << "宋体" << "  =  可用函数列表去淘宝网逛逛";
    QTest::newRow("history separator") << "Arial" << Quillo::AN_DH::HistorySeparator();
    QTest::newRow("full-width formula") << "Arial" << "（１＋２）＊３，４－５／６＾７";
    QTest::newRow("results") << "Arial Narrow" << " -.0123456789E+";
  }
  void noBoxes() {
    QFETCH(QString, family);
    QFETCH(QString, text);
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
};

QTEST_MAIN(FontMapTest)
#include "font_map_test.moc"
