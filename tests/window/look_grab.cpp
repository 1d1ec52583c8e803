// look-grab DIR [REFERENCE_DIR]: on the platform, theme and style that the
// environment picks, renders the window after a few sums into DIR/window.png,
// the formula's context menu into DIR/menu.png and its error box into
// DIR/box.png; says what the desktop offers (its style
// and colours) and how the coloured texts contrast with what they stand on,
// under the desktop's own palette (as the window was drawn before it kept its
// own look) and as drawn now. With REFERENCE_DIR, compares the renderings with
// those there, but for the
// UNCOMPARED ones. Exit status 1 when a list entry is cut or a rendering differs.
#include <QApplication>
#include <QContextMenuEvent>
#include <QCursor>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStyle>
#include <cmath>
#include <cstdio>

#include "embedded_picture.h"
#include "look_probe.h"
#include "qt_platform.h"
#include "start_up.h"

namespace {

// WCAG 2 relative luminance and contrast ratio.
double Luminance(const QColor& colour) {
  const auto channel = [](double c) {
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
         0.0722 * channel(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The picture's average colour under a control.
QColor PictureUnder(const QRect& area) {
  const QImage picture = Quillo::kBackgroundPicture.Image();
  double r = 0, g = 0, b = 0;
  const QRect inside = area & picture.rect();
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      const QColor c(picture.pixel(x, y));
      r += c.redF(), g += c.greenF(), b += c.blueF();
    }
  }
  const double n = double(inside.width()) * inside.height();
  return QColor::fromRgbF(float(r / n), float(g / n), float(b / n));
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fputs("usage: look-grab DIR [REFERENCE_DIR [UNCOMPARED.png...]]\n", stderr);
    return 2;
  }
  QStringList uncompared;
  for (int i = 3; i < argc; ++i) uncompared.append(QString::fromLocal8Bit(argv[i]));
  const QString dir = QString::fromLocal8Bit(argv[1]) + u'/';
  const QPalette desktop = QApplication::palette();
  std::printf("desktop: style %s, window %s, base %s, window text %s\n",
              qPrintable(QApplication::style()->name()),
              qPrintable(desktop.color(QPalette::Window).name()),
              qPrintable(desktop.color(QPalette::Base).name()),
              qPrintable(desktop.color(QPalette::WindowText).name()));

  Quillo::SetUpApplication();
  Quillo::QtPlatform platform;
  Quillo::AN_DH window(platform);
  window.show();
  window.activateWindow();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  (void)QTest::qWaitForWindowActive(&window, 2000);  // without a window manager it may stay inactive
  QuilloTest::FillSample(window);
  const auto& ui = window.controls();

  // Each text against what it stands on: under the desktop's palette, and as
  // the window draws it.
  const QColor red(255, 0, 0), blue(0, 0, 255), equalsBackground = PictureUnder(ui.AN_DH->geometry());
  const struct {
    const char* what;
    QColor desktopText, desktopBackground, text, background;
  } texts[] = {
      {"result", red, desktop.color(QPalette::Base), red, ui.JG->palette().color(QPalette::Base)},
      {"history", blue, desktop.color(QPalette::Base), blue, ui.TJ->palette().color(QPalette::Base)},
      {"\"=\" caption", desktop.color(QPalette::WindowText), equalsBackground,
       ui.AN_DH->palette().color(QPalette::WindowText), equalsBackground},
  };
  for (const auto& t : texts) {
    std::printf("contrast of the %s: %.2f:1 under the desktop's palette, %.2f:1 as drawn\n",
                t.what, Contrast(t.desktopText, t.desktopBackground),
                Contrast(t.text, t.background));
  }

  int fails = 0;
  const QStringList cut = QuilloTest::CutEntries(*ui.FunList);
  if (!cut.isEmpty()) {
    std::printf("FAIL: list entries not whole: %s\n", qPrintable(cut.join(QStringLiteral(", "))));
    ++fails;
  }
  const QImage shown = window.grab().toImage();

  // The formula box's context menu, as a right-click opens it (the pointer
  // kept off it, so that no item is hovered).
  QCursor::setPos(0, 0);
  QImage menu;
  QTimer::singleShot(100, &window, [&menu] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      menu = popup->grab().toImage();
      popup->close();
    }
  });
  const QPoint at(5, 5);
  QContextMenuEvent click(QContextMenuEvent::Mouse, at, ui.TB->viewport()->mapToGlobal(at));
  QApplication::sendEvent(ui.TB->viewport(), &click);
  QTest::qWait(250);

  const QuilloTest::SeenErrorBox box = QuilloTest::ShowErrorBox(window);
  if (box.buttons != QStringList{QStringLiteral("确定")}) {
    std::printf("FAIL: the error box's buttons: %s\n", qPrintable(box.buttons.join(u'|')));
    ++fails;
  }
  const struct {
    QString name;
    QImage image;
  } renderings[] = {{QStringLiteral("window.png"), shown},
                    {QStringLiteral("menu.png"), menu},
                    {QStringLiteral("box.png"), box.image}};
  for (const auto& r : renderings) {
    if (r.image.isNull() || !r.image.save(dir + r.name)) {
      std::printf("FAIL: no %s\n", qPrintable(r.name));
      ++fails;
      continue;
    }
    if (argc >= 3 && !uncompared.contains(r.name)) {
      const QImage reference(QString::fromLocal8Bit(argv[2]) + u'/' + r.name);
      const QString differs = QuilloTest::Difference(reference, r.image);
      if (!differs.isEmpty()) {
        std::printf("FAIL: %s: %s\n", qPrintable(r.name), qPrintable(differs));
        ++fails;
      }
    }
  }
  return fails == 0 ? 0 : 1;
}
