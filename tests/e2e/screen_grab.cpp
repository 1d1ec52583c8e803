// screen-grab OUT.png: saves the whole screen of the X display in DISPLAY.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fputs("usage: screen-grab OUT.png\n", stderr);
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
  return screen.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
