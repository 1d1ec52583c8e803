// Our title bar on a real Wayland compositor (weston, which leaves title bars
// to the application): what the compositor shows of the window and of the
// error box, read back with weston-screenshooter, against what the frame
// draws, and the window's fixed size through a maximise request.
#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <csignal>
#include <cstring>

#include <unistd.h>

#include "wayland/who_draws_title_bars.h"
#include "qt_platform.h"
#include "wayland/framed_window.h"
#include "wayland/title_bar.h"
#include "window_suite.h"

namespace {

// The compositor's whole output, as weston-screenshooter saves it; when there
// is none, a null image and, in `why`, what went wrong.
QImage Screenshot(QString* why = nullptr) {
  const auto none = [why](const QString& reason) {
    if (why != nullptr) *why = reason;
    return QImage();
  };
  QTemporaryDir dir;
  QProcess shooter;
  shooter.setWorkingDirectory(dir.path());
  shooter.start(QStringLiteral("weston-screenshooter"), {});
  if (!shooter.waitForFinished(10000)) {
    return none(QStringLiteral("weston-screenshooter: %1").arg(shooter.errorString()));
  }
  if (shooter.exitStatus() != QProcess::NormalExit || shooter.exitCode() != 0) {
    return none(QStringLiteral("weston-screenshooter failed (status %1; weston needs --debug): %2")
                    .arg(shooter.exitCode())
                    .arg(QString::fromLocal8Bit(shooter.readAllStandardError()).trimmed()));
  }
  const QStringList shots = QDir(dir.path()).entryList({QStringLiteral("*.png")});
  if (shots.size() != 1) {
    return none(QStringLiteral("weston-screenshooter saved %1 images, not 1").arg(shots.size()));
  }
  const QImage shot(QDir(dir.path()).filePath(shots.first()));
  if (shot.isNull()) return none(QStringLiteral("weston-screenshooter's image is unreadable"));
  return shot.convertToFormat(QImage::Format_RGB32);
}

// Where `part` stands in `screen`, pixel for pixel; (-1, -1) when nowhere.
QPoint Find(const QImage& screen, const QImage& part) {
  const int rowBytes = 4 * part.width();
  for (int y = 0; y + part.height() <= screen.height(); ++y) {
    for (int x = 0; x + part.width() <= screen.width(); ++x) {
      if (screen.pixel(x, y) != part.pixel(0, 0)) continue;
      bool same = true;
      for (int row = 0; row < part.height() && same; ++row) {
        same = std::memcmp(screen.constScanLine(y + row) + 4 * x, part.constScanLine(row),
                           rowBytes) == 0;
      }
      if (same) return {x, y};
    }
  }
  return {-1, -1};
}

// Pixels of the one-pixel ring around `rect` (those on the screen) that are
// not the desktop: anything the compositor or Qt drew around our frame.
int ForeignPixelsAround(const QImage& screen, const QRect& rect, QRgb desktop) {
  const QRect ring = rect.adjusted(-1, -1, 1, 1);
  int foreign = 0;
  for (int x = ring.left(); x <= ring.right(); ++x) {
    for (int y = ring.top(); y <= ring.bottom(); ++y) {
      const bool onRing = x == ring.left() || x == ring.right() || y == ring.top() || y == ring.bottom();
      if (onRing && screen.valid(x, y) && screen.pixel(x, y) != desktop) ++foreign;
    }
  }
  return foreign;
}

// Runs of columns of the bar that hold anything drawn on its plain colour,
// runs closer than 4 columns taken as one; `coloured` marks the icon.
struct Run {
  int from, to;
  bool coloured;
};
QList<Run> InkRuns(const QImage& frame, int barHeight) {
  const int right = frame.width() - 2;  // inside the outline
  const QColor plain = frame.pixelColor(right - barHeight - 1, 2);
  QList<Run> runs;
  for (int x = 1; x <= right; ++x) {
    bool ink = false, coloured = false;
    for (int y = 2; y < barHeight - 1; ++y) {  // below the outline, above the bar's edge
      const QColor c = frame.pixelColor(x, y);
      if (qAbs(c.red() - plain.red()) + qAbs(c.green() - plain.green()) +
              qAbs(c.blue() - plain.blue()) > 30) {
        ink = true;
        coloured |= qMax(c.red(), qMax(c.green(), c.blue())) -
                        qMin(c.red(), qMin(c.green(), c.blue())) > 60;
      }
    }
    if (!ink) continue;
    if (!runs.isEmpty() && x - runs.last().to < 4) {
      runs.last().to = x;
      runs.last().coloured |= coloured;
    } else {
      runs.append({x, x, coloured});
    }
  }
  return runs;
}

// The bar as the compositor shows it: the icon (when `icon`), the whole
// caption and, at the right end, the close cross; nothing else.
void CheckBar(const QImage& frame, int barHeight, const QString& caption, const QFont& font,
              bool icon) {
  QList<Run> runs = InkRuns(frame, barHeight);
  QVERIFY2(runs.size() >= 2, "no caption or no close button");
  const Run close = runs.takeLast();
  QVERIFY2(close.from >= frame.width() - 1 - barHeight && close.to - close.from + 1 <= 14,
           qPrintable(QStringLiteral("the last mark is no close cross: columns %1-%2")
                          .arg(close.from)
                          .arg(close.to)));
  if (icon) {
    QVERIFY2(runs.first().coloured, "no icon");
    runs.removeFirst();
  }
  QVERIFY(!runs.isEmpty());
  for (const Run& run : runs) QVERIFY2(!run.coloured, "a coloured mark in the caption");
  // From the caption's first ink to the last mark before the close cross:
  // the whole caption, neither shortened nor followed by other buttons.
  const int shown = runs.last().to - runs.first().from + 1;
  const int whole = QFontMetrics(font).tightBoundingRect(caption).width();
  QVERIFY2(qAbs(shown - whole) <= 2, qPrintable(QStringLiteral("caption ink %1 px wide, the whole "
                                                                "caption %2 px")
                                                    .arg(shown)
                                                    .arg(whole)));
}

// The frame's bar (found by name: the bar is no QObject class of its own).
Quillo::TitleBar* BarOf(QWidget& frame) {
  return static_cast<Quillo::TitleBar*>(frame.findChild<QWidget*>(QStringLiteral("TitleBar")));
}

// The compositor's output once it shows the widget as the widget draws
// itself (within 5 s), and where: `at` is (-1, -1) when it never does.
struct Shown {
  QImage drawn, screen;
  QPoint at{-1, -1};
};
Shown OnTheScreen(QWidget& widget) {
  QuilloTest::Settle();
  Shown shown;
  (void)QTest::qWaitFor([&] {
    shown.drawn = QuilloTest::Drawn(widget);
    shown.screen = Screenshot();
    shown.at = Find(shown.screen, shown.drawn);
    return shown.at.x() >= 0;
  });
  return shown;
}

}  // namespace

class TitleBarTest : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    Quillo::SetUpApplication();
    QVERIFY2(QGuiApplication::platformName().startsWith(QLatin1String("wayland")),
             "run me through in_weston.sh");
    const QColor colour(qEnvironmentVariable("WESTON_DESKTOP_COLOUR"));
    QVERIFY2(colour.isValid(), "WESTON_DESKTOP_COLOUR is not set");
    desktop = colour.rgb();
    // The shell paints the desktop soon after weston starts. (weston's own
    // pointer stands in its top left corner: the top edge's middle is looked
    // at.) Should it never show, the message says what the screen showed
    // instead, and wayland-desktop.png keeps the last screenshot.
    QImage empty;
    QString why;
    const bool shown = QTest::qWaitFor(
        [&] {
          empty = Screenshot(&why);
          if (empty.isNull()) return false;
          const QRgb seen = empty.pixel(empty.width() / 2, 0);
          why = QStringLiteral("the desktop never showed: #%1 at (%2, 0) of a %3x%4 screen")
                    .arg(seen & 0xffffffu, 6, 16, QLatin1Char('0'))
                    .arg(empty.width() / 2)
                    .arg(empty.width())
                    .arg(empty.height());
          return seen == desktop;
        },
        20000);
    if (!shown && !empty.isNull()) empty.save(QStringLiteral("wayland-desktop.png"));
    QVERIFY2(shown, qPrintable(why));
    // Closing a test's last window must not end the event loops of the next.
    QApplication::setQuitOnLastWindowClosed(false);
  }

  void compositorLeavesTitleBarsToUs_data() {
    QuilloTest::Table<QString, bool>(
        {"global", "advertised"},
        {{"shell", "xdg_wm_base", true},
         {"compositor", "wl_compositor", true},
         {"title bars drawn by the compositor", "zxdg_decoration_manager_v1", false},
         {"a prefix of a global", "xdg_wm", false}});
  }
  void compositorLeavesTitleBarsToUs() {
    const auto [global, advertised] = QuilloTest::Fetch<QString, bool>({"global", "advertised"});
    QVERIFY(Quillo::WaylandDisplay() != nullptr);
    QCOMPARE(Quillo::AdvertisesGlobal(Quillo::WaylandDisplay(), qPrintable(global)), advertised);
    QVERIFY(Quillo::NeedsOwnTitleBar());
  }

  // The window keeps its client area, controls, focus and tab order below the
  // bar; the compositor shows the frame and nothing around it.
  void windowBelowOurTitleBar() {
    QuilloTest::RecordingPlatform platform, reference;
    Quillo::AN_DH window(platform);
    Quillo::AN_DH unhosted(reference);
    const auto frame = Quillo::ShowWithTitleBar(window);
    QVERIFY(frame != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    // The compositor hands out the keyboard soon after the window appears.
    QVERIFY(QTest::qWaitFor(
        [&] { return frame->isActiveWindow() && QApplication::focusWidget() != nullptr; }));
    auto* bar = BarOf(*frame);
    QVERIFY(bar != nullptr);
    const int barHeight = bar->height();

    QCOMPARE(frame->windowHandle()->frameMargins(), QMargins());  // Qt draws no title bar
    QCOMPARE(frame->windowTitle(), window.windowTitle());
    QCOMPARE(window.size(), QSize(Quillo::Form::kClientWidthPx, Quillo::Form::kClientHeightPx));
    QCOMPARE(window.mapTo(frame.get(), QPoint(0, 0)), QPoint(1, 1 + barHeight));
    QCOMPARE(frame->size(), QSize(Quillo::Form::kClientWidthPx + 2,
                                   Quillo::Form::kClientHeightPx + barHeight + 2));
    QCOMPARE(frame->minimumSize(), frame->maximumSize());
    for (const QWidget* control : unhosted.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      const auto* hosted = window.findChild<QWidget*>(control->objectName());
      QVERIFY(hosted != nullptr);
      QCOMPARE(hosted->geometry(), control->geometry());
    }
    const Quillo::WindowControls& ui = window.controls();
    QCOMPARE(QApplication::focusWidget(), ui.TB);
    for (QWidget* next : {static_cast<QWidget*>(ui.TJ), static_cast<QWidget*>(ui.FunList),
                          static_cast<QWidget*>(ui.JG), static_cast<QWidget*>(ui.TB)}) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), next);
    }

    const auto [drawn, shot, at] = OnTheScreen(*frame);
    QVERIFY2(at.x() >= 0, "the screen does not show the frame as drawn");
    QCOMPARE(ForeignPixelsAround(shot, QRect(at, drawn.size()), desktop), 0);
    CheckBar(shot.copy(QRect(at, drawn.size())), barHeight, window.windowTitle(), bar->font(), true);
    shot.copy(QRect(at, drawn.size()).adjusted(-8, -8, 8, 8)).save(QStringLiteral("wayland-window.png"));

    // A double-click on the bar, the desktops' maximise gesture, changes
    // nothing. (The frame never asks the compositor to maximise it: weston
    // answers with the whole screen, which a fixed-size window cannot fill.)
    QTest::mouseDClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(bar->width() / 2, 5));
    const Shown later = OnTheScreen(*frame);
    QCOMPARE(frame->windowState(), Qt::WindowNoState);
    QCOMPARE(frame->size(), QSize(Quillo::Form::kClientWidthPx + 2,
                                   Quillo::Form::kClientHeightPx + barHeight + 2));
    QCOMPARE(window.size(), QSize(Quillo::Form::kClientWidthPx, Quillo::Form::kClientHeightPx));
    QVERIFY2(later.at.x() >= 0, "after the double-click the screen does not show the frame as drawn");
    QCOMPARE(ForeignPixelsAround(later.screen, QRect(later.at, drawn.size()), desktop), 0);

    // The close button closes the frame (the program's last window).
    QTest::mouseClick(bar->closeButton(), Qt::LeftButton);
    QVERIFY(QTest::qWaitFor([&] { return !frame->isVisible(); }));
  }

  // The error box: its whole title and a close button only; the close button
  // ends it as its OK button would.
  void errorBoxBelowOurTitleBar_data() {
    QTest::addColumn<QString>("title");
    QTest::newRow("the error box's") << QStringLiteral("错误提示");
    // The bar then needs more room than the box: the frame widens.
    QTest::newRow("wider than the box")
        << QStringLiteral("错误提示：一个比消息本身宽得多的标题，仍然完整地显示出来");
  }
  void errorBoxBelowOurTitleBar() {
    QFETCH(QString, title);
    bool checked = false, forced = false;
    QTimer::singleShot(0, this, [&] {
      InspectErrorBox(title, checked);
      if (!checked) RejectModal();
    });
    // Should the close button not work, the box still goes after 20 s.
    QTimer::singleShot(20000, this, [&] { forced = RejectModal(); });
    Quillo::QtPlatform platform;
    platform.ShowMessage(nullptr, QStringLiteral(">> 公式有误或为空\r\n\r\n        请输入或修改……"), 0,
                         title);
    QVERIFY(checked);
    QVERIFY2(!forced, "the close button did not close the error box");
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }

private:
  static bool RejectModal() {
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (modal != nullptr) modal->reject();
    return modal != nullptr;
  }

  // Sets `checked` once the box has passed every check and its close button
  // was clicked.
  void InspectErrorBox(const QString& title, bool& checked) {
    QWidget* modal = nullptr;
    QVERIFY(QTest::qWaitFor([&] { return (modal = QApplication::activeModalWidget()) != nullptr; }));
    QVERIFY(QTest::qWaitForWindowExposed(modal));
    auto* box = modal->findChild<QMessageBox*>();
    auto* bar = BarOf(*modal);
    QVERIFY(box != nullptr && bar != nullptr);
    QCOMPARE(modal->windowTitle(), title);
    QCOMPARE(modal->windowHandle()->frameMargins(), QMargins());
    QCOMPARE(box->mapTo(modal, QPoint(0, 0)), QPoint(1, 1 + bar->height()));
    const auto [drawn, shot, at] = OnTheScreen(*modal);
    QVERIFY2(at.x() >= 0, "the screen does not show the error box as drawn");
    QCOMPARE(ForeignPixelsAround(shot, QRect(at, drawn.size()), desktop), 0);
    // No owner, so no icon: the application has none of its own.
    CheckBar(shot.copy(QRect(at, drawn.size())), bar->height(), modal->windowTitle(), bar->font(),
             false);
    if (QTest::currentTestFailed()) return;
    shot.copy(QRect(at, drawn.size()).adjusted(-8, -8, 8, 8))
        .save(QStringLiteral("wayland-error-box-%1.png").arg(title.size()));
    QTest::mouseClick(bar->closeButton(), Qt::LeftButton);
    checked = true;
  }

  QRgb desktop = 0;
};

namespace {

volatile std::sig_atomic_t testsStatus = 0;

void EndHungExit(int /*signal*/) {
  static const char kNote[] = "note: the Wayland connection's teardown hung; the tests' result stands\n";
  (void)!write(STDERR_FILENO, kNote, sizeof kNote - 1);
  _exit(testsStatus);
}

}  // namespace

// QTEST_MAIN, but once the tests have run, the exit may take 10 s at most: now
// and then Qt 6.4's Wayland plugin deadlocks in its display's destructor (its
// event thread waits in wl_display_read_events for a reader that never reads),
// and the test would end in a time-out with every function passed. An exit in
// time stays whole, the sanitizers' checks at exit included.
int main(int argc, char* argv[]) {
  QTest::Internal::callInitMain<TitleBarTest>();
  {
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    QTEST_SET_MAIN_SOURCE_PATH
    {
      TitleBarTest test;
      testsStatus = QTest::qExec(&test, argc, argv);
    }
    std::signal(SIGALRM, EndHungExit);
    alarm(10);
  }
  alarm(0);
  return testsStatus;
}

#include "title_bar_test.moc"
