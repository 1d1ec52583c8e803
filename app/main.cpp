// Quillo: the formula calculator's window.
#include <QApplication>
#include <QByteArray>
#include <cstdio>

#include "an_dh.h"
#include "qt_platform.h"

int main(int argc, char* argv[]) {
  // Without a display Qt would abort with its own message; say what to do.
  const QByteArray qpa = qgetenv("QT_QPA_PLATFORM");
  const bool needsDisplay = qpa.isEmpty() || qpa.startsWith("xcb") || qpa.startsWith("wayland");
  if (needsDisplay && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    std::fputs("Quillo needs a graphical display (DISPLAY and WAYLAND_DISPLAY are unset); "
               "try: xvfb-run make run\n",
               stderr);
    return 1;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillo"));
  QApplication::setDesktopFileName(QStringLiteral("quillo"));
  Quillo::QtPlatform platform;
  Quillo::AN_DH window(platform);
  window.show();
  return app.exec();
}
