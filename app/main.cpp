// Quillo: the formula calculator's window.
#include <QApplication>
#include <QByteArray>
#include <cstdio>
#include <fontconfig/fontconfig.h>
#include <thread>

#include "an_dh.h"
#include "command_line.h"
#include "text/text_box.h"
#include "qt_platform.h"
#include "start_up.h"
#include "wayland/framed_window.h"

int main(int argc, char* argv[]) {
  const Quillo::CommandLine command = Quillo::ReadCommandLine(argc, argv);
  if (command.exitStatus) return *command.exitStatus;
  // Without a display Qt would abort with its own message; say what to do.
  // `make run` names its own command in QUILLO_DISPLAY_HINT.
  const QByteArray qpa = command.platform.empty()
                             ? qgetenv("QT_QPA_PLATFORM")
                             : QByteArray(command.platform.data(), qsizetype(command.platform.size()));
  const bool needsDisplay = qpa.isEmpty() || qpa.startsWith("xcb") || qpa.startsWith("wayland");
  if (needsDisplay && command.display.empty() && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    const QByteArray hint = qEnvironmentVariableIsEmpty("QUILLO_DISPLAY_HINT")
                                ? QByteArrayLiteral("xvfb-run quillo")
                                : qgetenv("QUILLO_DISPLAY_HINT");
    std::fprintf(stderr,
                 "Quillo needs a graphical display (DISPLAY and WAYLAND_DISPLAY are unset); "
                 "try: %s\n",
                 hint.constData());
    return 1;
  }

  Quillo::KeepLayoutBuffers();
  // Fontconfig reads its configuration files and font caches when it is first
  // used, the largest single cost of showing the window. It does that on
  // another core while Qt connects to the display; the window asks for fonts
  // only once the application exists.
  std::thread fontconfig([] { FcInit(); });
  Quillo::Application app(argc, argv);  // the window has its own look (start_up.h)
  fontconfig.join();
  // One identity for docks and task bars: the application name is the X11
  // WM_CLASS class (the desktop entry's StartupWMClass), the desktop entry's id
  // the Wayland app_id. Both are set before the first window exists.
  QApplication::setApplicationName(QStringLiteral("Quillo"));
  QApplication::setDesktopFileName(QStringLiteral("org.quillo.Quillo"));
  Quillo::QtPlatform platform;
  Quillo::AN_DH window(platform);
  const auto frame = Quillo::ShowWithTitleBar(window);
  return app.exec();
}
