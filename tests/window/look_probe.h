// What the look tests share: the window as a user sees it after a few sums,
// its error box, the list's entries that are not shown whole, and how two
// renderings differ.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include "an_dh.h"

namespace QuilloTest {

// A few sums (a result, history lines, the formula selected: a full-width
// one, bold in the formula box and in the history) and the last list entry
// selected. The caret does not blink, so that it is drawn the same
// in every rendering.
inline void FillSample(Quillo::AN_DH& window) {
  QApplication::setCursorFlashTime(0);
  const auto& ui = window.controls();
  for (const char* formula : {"1/3*3", "power(2,10)", "2*sin(30)+(1+2)^2", "（１＋２）＊３"}) {
    ui.TB->setPlainText(QString::fromUtf8(formula));
    int key = Quillo::kKeyEnter;
    window.TB_KeyPress(key);
  }
  ui.FunList->setCurrentRow(11);
  QApplication::processEvents();
}

// The error box as it shows over the window for an unfinished formula: its
// rendering and its buttons' texts. The box is closed once grabbed.
struct SeenErrorBox {
  QImage image;
  QStringList buttons;
  QString style;  // the class of the style it and its button draw with
};

inline SeenErrorBox ShowErrorBox(Quillo::AN_DH& window) {
  SeenErrorBox seen;
  auto* poll = new QTimer(&window);
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, poll, [&seen, poll] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    (void)QTest::qWaitForWindowExposed(box);  // grabbed either way: a box not shown fails the comparison
    seen.image = box->grab().toImage();
    for (QAbstractButton* button : box->buttons()) {
      seen.buttons.append(button->text());
      seen.style = QString::fromLatin1(button->style()->metaObject()->className());
    }
    box->buttons().value(0, nullptr) != nullptr ? box->buttons().first()->click() : box->reject();
  });
  poll->start();
  QTimer::singleShot(5000, poll, [poll] { poll->deleteLater(); });  // no box came
  const auto& ui = window.controls();
  ui.TB->setPlainText(QStringLiteral("1+"));
  int key = Quillo::kKeyEnter;
  window.TB_KeyPress(key);  // returns once the box is closed
  return seen;
}

// The list entries that are not shown whole: outside the list's viewport, or
// with text wider than their row.
inline QStringList CutEntries(const QListWidget& list) {
  QStringList cut;
  const QRect viewport = list.viewport()->rect();
  const QFontMetrics metrics(list.font());
  for (int row = 0; row < list.count(); ++row) {
    const QListWidgetItem* item = list.item(row);
    const QRect shown = list.visualItemRect(item);
    if (!viewport.contains(shown) || metrics.horizontalAdvance(item->text()) > shown.width()) {
      cut.append(item->text());
    }
  }
  return cut;
}

// Empty when both renderings have the same pixels; otherwise how many differ,
// and where.
inline QString Difference(const QImage& expected, const QImage& actual) {
  if (expected.size() != actual.size()) {
    return QStringLiteral("size %1x%2, not %3x%4")
        .arg(actual.width()).arg(actual.height()).arg(expected.width()).arg(expected.height());
  }
  const QImage a = expected.convertToFormat(QImage::Format_RGB32);
  const QImage b = actual.convertToFormat(QImage::Format_RGB32);
  int count = 0;
  QRect where;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) {
        ++count;
        where |= QRect(x, y, 1, 1);
      }
    }
  }
  if (count == 0) return {};
  return QStringLiteral("%1 pixels differ, within %2,%3 %4x%5")
      .arg(count).arg(where.x()).arg(where.y()).arg(where.width()).arg(where.height());
}

}  // namespace QuilloTest
