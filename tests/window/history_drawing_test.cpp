// The history box after a calculation shows exactly what drawing it afresh
// shows, though only the new entry is drawn and the scroll bar only when its
// slider moves.
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QtTest>

#include "text/steady_scroll_bar.h"
#include "window_suite.h"

using QuilloTest::Drawn;
using QuilloTest::Fixture;
using QuilloTest::HistoryEntry;
using QuilloTest::OnScreen;
using QuilloTest::Settle;

namespace {

void EnterFormula(Fixture& f, const QString& formula) {
  f.ui.TB->setPlainText(formula);
  QTest::keyClick(f.ui.TB, Qt::Key_Return);
  Settle();
}

QString History(int entries, const QString& formula = QStringLiteral("1+2")) {
  QString text;
  for (int i = 0; i < entries; ++i) text += HistoryEntry(QStringLiteral(" 3"), formula);
  return text;
}

// Counts the paint events a widget gets and the height they cover.
struct PaintCount : QObject {
  int events = 0;
  int tallest = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      ++events;
      tallest = qMax(tallest, static_cast<QPaintEvent*>(event)->rect().height());
    }
    return false;
  }
};

}  // namespace

class HistoryDrawingTest : public QuilloTest::WindowSuite {
  Q_OBJECT

private slots:
  // Before: the entries already there, and how the box was left.
  void screenMatchesAFreshDrawing_data() {
    QuilloTest::Table<int, QString>({"entries", "before"},  // before: top, bottom, right, selected
                                    {{"empty", 0, "top"},
                                     {"one entry", 1, "top"},
                                     {"the box fills, the scroll bar comes", 4, "top"},
                                     {"a page: the slider shrinks", 20, "top"},
                                     {"long: the slider stays", 5000, "top"},
                                     {"scrolled to the bottom", 5000, "bottom"},
                                     {"scrolled to the right", 20, "right"},
                                     {"all selected", 20, "selected"}});
  }
  void screenMatchesAFreshDrawing() {
    const auto [entries, before] = QuilloTest::Fetch<int, QString>({"entries", "before"});
    const QString formula = before == "right" ? QStringLiteral("1+2").repeated(60)
                                              : QStringLiteral("1+2");
    f->ui.TJ->setPlainText(History(entries, formula));
    QScrollBar* bar = before == "right" ? f->ui.TJ->horizontalScrollBar()
                                        : f->ui.TJ->verticalScrollBar();
    if (before == "bottom" || before == "right") bar->setValue(bar->maximum());
    if (before == "selected") f->ui.TJ->selectAll();
    Settle();

    for (const char* formula : {"（1＋2）＊3", "1/3", "2^10", "1+"}) {
      EnterFormula(*f, QString::fromUtf8(formula));
      QCOMPARE(OnScreen(*f->ui.TJ), Drawn(*f->ui.TJ));  // on the (off-screen) screen
    }
    QCOMPARE(f->ui.TJ->verticalScrollBar()->value(), 0);
    QCOMPARE(f->ui.TJ->horizontalScrollBar()->value(), 0);
    const QString history = f->ui.TJ->toPlainText();
    QVERIFY(history.startsWith(HistoryEntry(QStringLiteral(" 1024"), "2^10")));
    // The scroll range reaches the oldest entry, as with the text set afresh.
    const int reach = f->ui.TJ->verticalScrollBar()->maximum();
    f->ui.TJ->setPlainText(history);
    Settle();
    QCOMPARE(reach, f->ui.TJ->verticalScrollBar()->maximum());
  }

  // With the box at its top, only the new entry's lines are drawn; the bar is
  // drawn again when its slider moves, not when it stays.
  void drawsTheNewEntryAndAMovingSlider_data() {
    QuilloTest::Table<int, bool>({"entries", "sliderMoves"}, {{"a page", 12, true}, {"long", 5000, false}});
  }
  void drawsTheNewEntryAndAMovingSlider() {
    const auto [entries, sliderMoves] = QuilloTest::Fetch<int, bool>({"entries", "sliderMoves"});
    f->ui.TJ->setPlainText(History(entries));
    Settle();
    PaintCount box;
    PaintCount bar;
    f->ui.TJ->viewport()->installEventFilter(&box);
    f->ui.TJ->verticalScrollBar()->installEventFilter(&bar);
    EnterFormula(*f, QStringLiteral("1+2"));
    QCOMPARE(box.events, 1);
    QVERIFY2(box.tallest < f->ui.TJ->viewport()->height() / 2,
             qPrintable(QStringLiteral("%1 pixels drawn").arg(box.tallest)));
    QCOMPARE(bar.events > 0, sliderMoves);
  }

  // Clicks beside the slider page through the history as they do in a box
  // with Qt's own scroll bar.
  void pagesAsQtsOwnBar() {
    const QString text = History(200);
    QPlainTextEdit plain;
    plain.setFont(f->ui.TJ->font());
    plain.setLineWrapMode(QPlainTextEdit::NoWrap);
    plain.setReadOnly(true);
    plain.setFrameShape(QFrame::NoFrame);
    plain.setGeometry(f->ui.TJ->geometry());
    plain.setPlainText(text);
    plain.show();
    f->ui.TJ->setPlainText(text);
    QVERIFY(QTest::qWaitForWindowExposed(&plain));
    QVERIFY(dynamic_cast<Quillo::SteadyScrollBar*>(f->ui.TJ->verticalScrollBar()));

    for (int click = 0; click < 6; ++click) {
      const bool down = click < 4;
      for (QPlainTextEdit* box : {&plain, f->ui.TJ}) {
        QScrollBar* bar = box->verticalScrollBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          QPoint(bar->width() / 2, down ? bar->height() - 20 : 20));
      }
      QCOMPARE(f->ui.TJ->verticalScrollBar()->value(), plain.verticalScrollBar()->value());
      QCOMPARE(f->ui.TJ->cursorForPosition(QPoint(2, 2)).blockNumber(),
               plain.cursorForPosition(QPoint(2, 2)).blockNumber());
    }
    QVERIFY(plain.verticalScrollBar()->value() > 0);
  }
};

QTEST_MAIN(HistoryDrawingTest)
#include "history_drawing_test.moc"
