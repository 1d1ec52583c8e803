// What the window costs at start: it draws its background and its icon from
// pixels built into the program, the very pixels the files decode to (alpha
// and all), and loads no image format plug-in (nor the libraries behind them)
// to show itself, nor, off Wayland, the Wayland client library; it draws its
// texts from the built-in Song-style face and never maps the whole CJK face.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtTest>

#include "embedded_picture.h"
#include "table.h"
#include "window_fixture.h"

Q_DECLARE_METATYPE(const Quillo::EmbeddedPicture*)

namespace {

// The threads of Qt's thread pools in this process.
int PooledThreads() {
  int pooled = 0;
  const QDir tasks(QStringLiteral("/proc/self/task"));
  for (const QFileInfo& task : tasks.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    QFile comm(task.filePath() + QStringLiteral("/comm"));
    if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == "Thread (pooled)") ++pooled;
  }
  return pooled;
}

// The files mapped into this process whose path contains `part`.
QStringList MappedFiles(const char* part) {
  QFile maps(QStringLiteral("/proc/self/maps"));
  if (!maps.open(QIODevice::ReadOnly)) return {QStringLiteral("(no /proc/self/maps)")};
  QStringList files;
  for (const QByteArray& line : maps.readAll().split('\n')) {
    if (line.contains(part)) files.append(QString::fromLocal8Bit(line.mid(line.lastIndexOf(' ') + 1)));
  }
  files.removeDuplicates();
  return files;
}

}  // namespace

class StartUpCostTest : public QObject {
  Q_OBJECT

private slots:
  // First, before anything in this process reads a picture file or a face.
  void showsWithoutImagePluginsOrTheWholeFace() {
    QuilloTest::Fixture f;
    QVERIFY(f.Show());
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QVERIFY(!f.window.grab().isNull());  // every text drawn
    QCOMPARE(MappedFiles("/imageformats/"), QStringList());
    QCOMPARE(MappedFiles("uming.ttc"), QStringList());
    QVERIFY(f.window.windowIcon().availableSizes().contains(QSize(48, 48)));
    // Nor does painting it start threads (background_picture.cpp).
    f.window.repaint();
    QCOMPARE(PooledThreads(), 0);
  }

  // The library is loaded only to ask a Wayland compositor about title bars.
  void showsWithoutWaylandLibraryOffWayland() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) QSKIP("on Wayland");
    QuilloTest::Fixture f;
    QVERIFY(f.Show());
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QCOMPARE(MappedFiles("libwayland-client"), QStringList());
  }

  void builtInPicturesAreTheDecodedFiles_data() {
    QuilloTest::Table<QString, const Quillo::EmbeddedPicture*>(
        {"file", "pixels"}, {{"100 %", ":/quillo/background.jpg", &Quillo::kBackgroundPicture},
                             {"200 %", ":/quillo/background@2x.jpg", &Quillo::kBackgroundPicture2x},
                             {"icon", ":/quillo/icon-48.png", &Quillo::kWindowIcon}});
  }
  void builtInPicturesAreTheDecodedFiles() {
    const auto [file, pixels] =
        QuilloTest::Fetch<QString, const Quillo::EmbeddedPicture*>({"file", "pixels"});
    // Compared with their alpha, which an opaque picture has at its full.
    QImage decoded = QImage(file).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!decoded.isNull());
    decoded.setDevicePixelRatio(1);  // Qt reads "@2x" in the name as ratio 2: only pixels count
    QCOMPARE(pixels->Image().convertToFormat(QImage::Format_ARGB32), decoded);
  }
};

QTEST_MAIN(StartUpCostTest)
#include "start_up_cost_test.moc"
