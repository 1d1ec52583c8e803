// A formula of a million characters, pasted, evaluated twice, its result
// copied: the window keeps up, and every box behaves as with a short one. A
// watchdog fails the test when one action takes longer than it may, so that a
// window that freezes on a long text fails here instead of hanging the run.
#include <QClipboard>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "formula_families.h"
#include "window_suite.h"

using QuilloTest::HistoryEntry;
using QuilloTest::Selection;
using QuilloTest::Settle;
using QuilloTest::Type;

namespace {

// The sanitizer build runs the window several times slower: a shorter formula
// still has no line-break opportunity over thousands of lines.
#ifdef QUILLO_SANITIZE
constexpr int kLength = 299999;
#else
constexpr int kLength = 999999;
#endif
// Each action, drawing included, ends well within this on a busy machine;
// laying the formula out in time that grows with the square of its length
// takes minutes.
constexpr std::chrono::seconds kActionLimit{20};

// Ends the process when an action is not done within its limit.
class Watchdog {
public:
  explicit Watchdog(const char* action) : action_(action), thread_([this] { Watch(); }) {
    timer_.start();
  }
  ~Watchdog() {
    qInfo("%s: %lld ms", action_, static_cast<long long>(timer_.elapsed()));
    {
      const std::lock_guard lock(mutex_);
      done_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }

private:
  void Watch() {
    std::unique_lock lock(mutex_);
    if (!wake_.wait_for(lock, kActionLimit, [this] { return done_; })) {
      std::fprintf(stderr, "FAIL: %s took longer than %lld s: the window froze\n", action_,
                   static_cast<long long>(kActionLimit.count()));
      std::_Exit(1);
    }
  }

  const char* action_;
  QElapsedTimer timer_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  std::thread thread_;
};

// "1+1+…+1" of `length` characters (odd).
QString Sum(int length) {
  return QString::fromStdString(QuilloCorpus::BuildFamily(QuilloCorpus::Family::kFlatSum, length));
}

// The texts of the lines the box's first paragraph is broken into.
QStringList Lines(const QPlainTextEdit* box) {
  const QTextBlock block = box->document()->firstBlock();
  QStringList lines;
  const QTextLayout* layout = block.layout();
  for (int i = 0; i < layout->lineCount(); ++i) {
    const QTextLine line = layout->lineAt(i);
    lines << block.text().mid(line.textStart(), line.textLength());
  }
  return lines;
}

}  // namespace

class LongFormulaTest : public QuilloTest::WindowSuite {
  Q_OBJECT

private slots:
  void cleanup() {
    const Watchdog watchdog("closing the window");
    f.reset();
  }

  void pasteEvaluateAndCopy() {
    const QString formula = Sum(kLength);
    const QString display = u' ' + QString::number((kLength + 1) / 2);
    QGuiApplication::clipboard()->setText(formula);
    {
      const Watchdog watchdog("pasting the formula");
      QTest::keyClick(f->ui.TB, Qt::Key_V, Qt::ControlModifier);
      Settle();
    }
    QCOMPARE(f->ui.TB->toPlainText().size(), formula.size());
    // Wrapped at the box's width, with only a vertical scroll bar.
    QVERIFY(f->ui.TB->verticalScrollBar()->isVisible());
    QVERIFY(!f->ui.TB->horizontalScrollBar()->isVisible());
    QVERIFY(f->ui.TB->document()->firstBlock().layout()->lineCount() > kLength / 100);

    {
      const Watchdog watchdog("evaluating the formula");
      QTest::keyClick(f->ui.TB, Qt::Key_Return);
      Settle();
    }
    QCOMPARE(f->platform.messages.size(), 0);
    QCOMPARE(f->ui.JG->toPlainText(), display);
    QCOMPARE(f->ui.TB->toPlainText(), formula);
    QVERIFY(f->ui.TJ->toPlainText() == HistoryEntry(display, formula));
    QCOMPARE(QApplication::focusWidget(), f->ui.TB);
    QCOMPARE(Selection(f->ui.TB), qMakePair(0, int(formula.size())));
    // The history keeps the line whole and scrolls sideways, from its start.
    QCOMPARE(f->ui.TJ->document()->firstBlock().next().layout()->lineCount(), 1);
    QVERIFY(f->ui.TJ->horizontalScrollBar()->isVisible());
    QCOMPARE(f->ui.TJ->horizontalScrollBar()->value(), 0);

    {
      const Watchdog watchdog("copying the result");
      QTest::mouseDClick(f->ui.JG->viewport(), Qt::LeftButton, {}, QPoint(30, 10));
    }
    QCOMPARE(f->platform.clipboard, QStringList{display.trimmed()});

    // Typing replaces the selected formula whole; the second calculation
    // goes on top of the long one.
    {
      const Watchdog watchdog("typing over the formula and evaluating it");
      Type(f->ui.TB, QStringLiteral("1+2"));
      QTest::keyClick(f->ui.TB, Qt::Key_Return);
      Settle();
    }
    QCOMPARE(f->ui.TB->toPlainText(), QStringLiteral("1+2"));
    QCOMPARE(f->ui.JG->toPlainText(), QStringLiteral(" 3"));
    QVERIFY(f->ui.TJ->toPlainText() ==
            HistoryEntry(QStringLiteral(" 3"), QStringLiteral("1+2")) +
                HistoryEntry(display, formula));

    // The whole history selected and copied, as the user would.
    {
      const Watchdog watchdog("selecting and copying the history");
      f->ui.TJ->setFocus();
      QTest::keyClick(f->ui.TJ, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClick(f->ui.TJ, Qt::Key_C, Qt::ControlModifier);
      Settle();
    }
    QVERIFY(QGuiApplication::clipboard()->text() == f->ui.TJ->toPlainText());
  }

  // Replacing the whole text first empties the box, within the replacement.
  void replaceLongFormulaWhole() {
    const QString formula = Sum(kLength);
    for (const char* action : {"setting the formula", "setting it again"}) {
      const Watchdog watchdog(action);
      f->ui.TB->setPlainText(formula);
      Settle();
    }
    QVERIFY(f->ui.TB->toPlainText() == formula);
  }

  // Short formulas still break at their blanks; past a thousand characters
  // lines break anywhere, blanks or not, and fill the box's width.
  void wrapping_data() {
    const QString sum = QStringLiteral("11 + 22 + 33 + 44 + 55");
    QuilloTest::Table<QString, bool>({"formula", "atBlanks"}, {{"short, with blanks", sum.repeated(8), true},
                                                               {"long, with blanks", sum.repeated(60), false},
                                                               {"long, without", Sum(20001), false}});
  }
  void wrapping() {
    const auto [formula, atBlanks] = QuilloTest::Fetch<QString, bool>({"formula", "atBlanks"});
    f->ui.TB->setPlainText(formula);
    Settle();
    const QStringList lines = Lines(f->ui.TB);
    QVERIFY(lines.size() > 2);
    QCOMPARE(lines.join(QString()), formula);
    int brokenAtBlanks = 0;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) brokenAtBlanks += lines[i].endsWith(u' ');
    QCOMPARE(brokenAtBlanks == lines.size() - 1, atBlanks);
  }

  // A long paragraph is given the direction Qt would find for it (from its
  // first letter that has one), so that placing the caret does not read the
  // whole text each time; where paragraphs disagree, or the text is short,
  // Qt is left to find it. Either way the caret starts on the same side.
  void direction_data() {
    const QString alef(QChar(0x05D0));
    QuilloTest::Table<QString, Qt::LayoutDirection>(
        {"text", "given"},
        {{"short", Sum(999), Qt::LayoutDirectionAuto},
         {"long, no letters", Sum(20001), Qt::LeftToRight},
         {"long, a letter last", Sum(20001) + u'x', Qt::LeftToRight},
         {"long, right to left", alef + Sum(20001), Qt::RightToLeft},
         {"long, right to left at its end", Sum(20001) + alef, Qt::RightToLeft},
         {"long, two paragraphs that agree", Sum(20001) + u'\n' + Sum(3), Qt::LeftToRight},
         {"long, two paragraphs that disagree", alef + Sum(20001) + u'\n' + Sum(3), Qt::LayoutDirectionAuto}});
  }
  void direction() {
    const auto [text, given] = QuilloTest::Fetch<QString, Qt::LayoutDirection>({"text", "given"});
    f->ui.TB->setPlainText(text);
    f->ui.TB->moveCursor(QTextCursor::Start);
    Settle();
    QCOMPARE(f->ui.TB->document()->defaultTextOption().textDirection(), given);
    for (QTextBlock block = f->ui.TB->document()->begin(); block.isValid(); block = block.next()) {
      QTextLayout* layout = block.layout();
      QCOMPARE(layout->textOption().textDirection(), given);
      // The first line as Qt lays it out when it finds the direction itself.
      const QTextLine first = layout->lineAt(0);
      QTextLayout own(block.text(), f->ui.TB->document()->defaultFont());
      QTextOption option = layout->textOption();
      option.setTextDirection(Qt::LayoutDirectionAuto);
      own.setTextOption(option);
      own.beginLayout();
      QTextLine line = own.createLine();
      line.setLineWidth(first.width());
      line.setPosition(first.position());
      own.endLayout();
      QCOMPARE(first.textLength(), line.textLength());
      for (const int at : {0, 1, first.textLength()}) {
        int here = at;
        int there = at;
        QCOMPARE(first.cursorToX(&here), line.cursorToX(&there));
      }
    }
  }
};

QTEST_MAIN(LongFormulaTest)
#include "long_formula_test.moc"
