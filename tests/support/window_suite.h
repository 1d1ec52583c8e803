// What the window's QtTest suites share beyond the fixture: a base that gives
// every test function a fresh window, shown and with the keyboard; a wait for
// the work an action sets off; and the window's pixels, drawn and on screen.
#pragma once

#include <QImage>
#include <QMessageBox>
#include <QObject>
#include <functional>
#include <memory>

#include "table.h"
#include "window_fixture.h"

namespace QuilloTest {

// Lets the application finish what an action set off, drawing included:
// events are handled until none has come for 20 ms (Qt paints on a posted
// event or a timer of a few milliseconds), for 5 s at the most.
void Settle();

// Calls `seen` with the application's message box once it shows (inside its
// frame below our own title bar on Wayland), for 5 s at the most; `seen`
// closes it. Polled from the event loop, so that it also runs while the box's
// own loop does.
void WhenMessageBoxShows(std::function<void(QMessageBox&)> seen);

// What the widget draws, as drawn afresh.
inline QImage Drawn(QWidget& widget) { return widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// The widget's part of its window as it is on the screen.
QImage OnScreen(QWidget& widget);

// A suite's test functions each see a fresh window in `f`, shown and with the
// keyboard; it goes after each function.
class WindowSuite : public QObject {
  Q_OBJECT

protected:
  std::unique_ptr<Fixture> f;

protected slots:
  void init() {
    f = std::make_unique<Fixture>();
    QVERIFY(f->Show());
  }
  void cleanup() { f.reset(); }
};

}  // namespace QuilloTest
