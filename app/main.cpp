// Quillo: the formula calculator's window.
#include <QApplication>
#include <QByteArray>
#include <cstdio>
#include <fontconfig/fontconfig.h>
#include <thread>

#include "an_dh.h"
#include "long_text.h"
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

  // Fontconfig reads its configuration files and font caches when it is first
  // used, the largest single cost of showing the window. It does that on
  // another core while Qt connects to the display; the window asks for fonts
  // only once the application exists.
  Quillo::KeepLayoutBuffers();
  std::thread fontconfig([] { FcInit(); });
  QApplication app(argc, argv);
  fontconfig.join();
  QApplication::setApplicationName(QStringLiteral("Quillo"));
  QApplication::setDesktopFileName(QStringLiteral("quillo"));
  Quillo::QtPlatform platform;
  Quillo::AN_DH window(platform);
  window.show();
  return app.exec();
}
