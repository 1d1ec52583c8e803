// window-screenshot OUT.png: draws the window off screen, after a sample
// calculation and with a function entry selected, into a PNG to look at.
#include <QApplication>
#include <QTest>
#include <cstdio>

#include "an_dh.h"
#include "look_probe.h"
#include "qt_platform.h"
#include "start_up.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fputs("usage: window-screenshot OUT.png\n", stderr);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Quillo::SetUpApplication();
  Quillo::QtPlatform platform;
  Quillo::AN_DH window(platform);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  QuilloTest::FillSample(window);
  return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
