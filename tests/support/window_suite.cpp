#include "window_suite.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QThread>

namespace QuilloTest {

void Settle() {
  struct Counter final : QObject {
    int events = 0;
    bool eventFilter(QObject*, QEvent*) override {
      ++events;
      return false;
    }
  } counter;
  QCoreApplication::instance()->installEventFilter(&counter);
  QElapsedTimer quiet, total;
  quiet.start();
  total.start();
  int seen = -1;
  while (quiet.elapsed() < 20 && total.elapsed() < 5000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (counter.events != seen) {
      seen = counter.events;
      quiet.restart();
    } else {
      QThread::msleep(1);
    }
  }
  QCoreApplication::instance()->removeEventFilter(&counter);
}

QImage Drawn(QWidget& widget) {
  return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage OnScreen(QWidget& widget) {
  QWidget* window = widget.window();
  const QRect part(widget.mapTo(window, QPoint(0, 0)), widget.size());
  return window->screen()->grabWindow(window->winId()).toImage().copy(part).convertToFormat(
      QImage::Format_RGB32);
}

void WindowSuite::init() {
  f = std::make_unique<Fixture>();
  QVERIFY(f->Show());
}

void WindowSuite::cleanup() { f.reset(); }

}  // namespace QuilloTest
