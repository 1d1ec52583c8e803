// window-screenshot OUT.png: draws the window off screen, after a sample
// calculation and with a function entry selected, into a PNG to look at.
#include <QApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <cstdio>

#include "an_dh.h"
#include "qt_platform.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fputs("usage: window-screenshot OUT.png\n", stderr);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  Quillo::QtPlatform platform;
  Quillo::AN_DH window(platform);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  const auto& ui = window.controls();
  for (const char* formula : {"1/3*3", "power(2,10)", "（1＋2）＊3", "2*sin(30)+(1+2)^2"}) {
    ui.TB->setPlainText(QString::fromUtf8(formula));
    int key = Quillo::kKeyEnter;
    window.TB_KeyPress(key);
  }
  ui.FunList->setCurrentRow(11);
  QApplication::processEvents();
  return window.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
