#include "window_suite.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>

namespace QuilloTest {

void Settle() {
  struct Counter final : QObject {
    int events = 0;
    bool eventFilter(QObject*, QEvent*) override { return ++events, false; }
  } counter;
  QCoreApplication::instance()->installEventFilter(&counter);
  QElapsedTimer quiet, total;
  quiet.start();
  total.start();
  while (quiet.elapsed() < 20 && total.elapsed() < 5000) {
    const int before = counter.events;
    QTest::qWait(1);
    if (counter.events != before) quiet.restart();
  }
  QCoreApplication::instance()->removeEventFilter(&counter);
}

void WhenMessageBoxShows(std::function<void(QMessageBox&)> seen) {
  auto* poll = new QTimer(QCoreApplication::instance());
  poll->setInterval(10);
  QElapsedTimer started;
  started.start();
  QObject::connect(poll, &QTimer::timeout, poll, [seen = std::move(seen), poll, started] {
    QWidget* modal = QApplication::activeModalWidget();
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr && modal != nullptr) box = modal->findChild<QMessageBox*>();
    if (box != nullptr && !box->isVisible()) return;
    if (box != nullptr || started.elapsed() >= 5000) {
      poll->stop();
      poll->deleteLater();
    }
    if (box != nullptr) seen(*box);
  });
  poll->start();
}

QImage OnScreen(QWidget& widget) {
  QWidget* window = widget.window();
  const QRect part(widget.mapTo(window, QPoint(0, 0)), widget.size());
  return window->screen()->grabWindow(window->winId()).toImage().copy(part).convertToFormat(
      QImage::Format_RGB32);
}

}  // namespace QuilloTest
