// Enter in the formula box, through the window's own event wiring, with an
// empty history and with 100,000 entries in it. A run times the key press and
// the work the toolkit does after it (layout, scroll bars, repaint); between
// runs, untimed, the new entry is taken out again, so every run starts from
// the same history.
#include "window_bench.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <map>

#include "an_dh.h"
#include "formula_families.h"
#include "text/text_box.h"

namespace QuilloBench {
namespace {

const QString kFormula = QStringLiteral("2*sin(30)+(1+2)^2");
const QString kDisplay = QStringLiteral(" 7.02393675181428");

struct BenchWindow {
  SilentPlatform platform;
  Quillo::AN_DH window{platform};
};

// The windows, by the number of history entries they hold: a history of
// 100,000 entries takes a while to build, so it is built once.
std::map<int, std::unique_ptr<BenchWindow>> windows;

Quillo::AN_DH& WindowWithHistory(int entries) {
  std::unique_ptr<BenchWindow>& slot = windows[entries];
  if (!slot) {
    slot = std::make_unique<BenchWindow>();
    const Quillo::WindowControls& ui = slot->window.controls();
    // The text the window itself writes, entry after entry.
    const QString entry = Quillo::AN_DH::HistorySeparator() + u'\n' + kDisplay +
                          QStringLiteral(" = ") + kFormula + u'\n';
    QString history;
    history.reserve(entry.size() * entries);
    for (int i = 0; i < entries; ++i) history += entry;
    ui.TJ->setPlainText(history);
    ui.TB->setPlainText(kFormula);
    slot->window.show();
    QApplication::processEvents();
  }
  return slot->window;
}

// Takes the newest entry (its two lines) off the top of the history.
void RemoveNewestEntry(QPlainTextEdit& history) {
  QTextCursor cursor(history.document());
  cursor.movePosition(QTextCursor::Start);
  cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 2);
  cursor.removeSelectedText();
}

void BM_WindowEnter(benchmark::State& state) {
  const int entries = static_cast<int>(state.range(0));
  Quillo::AN_DH& window = WindowWithHistory(entries);
  const Quillo::WindowControls& ui = window.controls();
  const int blocksBefore = ui.TJ->document()->blockCount();

  for (auto _ : state) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(ui.TB, &press);
    QApplication::sendEvent(ui.TB, &release);
    QApplication::processEvents();  // what follows the key: layout, repaint

    state.PauseTiming();
    const bool added = ui.TJ->document()->blockCount() == blocksBefore + 2 &&
                       ui.TJ->document()->firstBlock().next().text() ==
                           kDisplay + QStringLiteral(" = ") + kFormula;
    RemoveNewestEntry(*ui.TJ);
    QApplication::processEvents();
    state.ResumeTiming();
    if (!added) {
      state.SkipWithError("Enter did not put the calculation on top of the history");
      break;
    }
  }
  state.SetLabel(std::to_string(entries) + " history entries");
}

BENCHMARK(BM_WindowEnter)
    ->Name("Window/Enter")
    ->Arg(0)
    ->Arg(100000)
    ->Unit(benchmark::kMicrosecond);

// Long formulas: "1+1+…+1" of (about) 32,000, 320,000 and 1,000,000 characters,
// pasted into the formula box (Ctrl+V, from the clipboard), and evaluated with
// Enter, with an empty history and with one that already holds three entries
// of a 1,000,000-character formula (and short ones below them). Each run times the key press and all the
// work that follows it, drawing included.
QString LongSum(int length) {
  return QString::fromStdString(QuilloCorpus::BuildFamily(QuilloCorpus::Family::kFlatSum, length));
}

QString LongSumDisplay(int length) { return u' ' + QString::number((length + 1) / 2); }

void PressKey(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QApplication::sendEvent(widget, &press);
  QApplication::sendEvent(widget, &release);
  QApplication::processEvents();  // what follows the key: layout, repaint
}

// A window for the long formulas, with no history or with three 1 MB entries.
Quillo::AN_DH& LongFormulaWindow(bool longHistory) {
  std::unique_ptr<BenchWindow>& slot = windows[longHistory ? -2 : -1];
  if (!slot) {
    slot = std::make_unique<BenchWindow>();
    if (longHistory) {
      const QString formula = LongSum(1000000);
      const QString entry = Quillo::AN_DH::HistorySeparator() + u'\n' + LongSumDisplay(1000000) +
                            QStringLiteral(" = ") + formula + u'\n';
      // Below them, short entries enough to need the vertical scroll bar
      // already: it does not come and go with the entry a run adds.
      const QString shortEntry = Quillo::AN_DH::HistorySeparator() + u'\n' + kDisplay +
                                 QStringLiteral(" = ") + kFormula + u'\n';
      slot->window.controls().TJ->setPlainText(entry + entry + entry + shortEntry.repeated(20));
    }
    slot->window.show();
    QApplication::processEvents();
  }
  return slot->window;
}

void BM_LongPaste(benchmark::State& state) {
  const int length = static_cast<int>(state.range(0));
  Quillo::AN_DH& window = LongFormulaWindow(false);
  const Quillo::WindowControls& ui = window.controls();
  const QString formula = LongSum(length);
  QApplication::clipboard()->setText(formula);
  for (auto _ : state) {
    state.PauseTiming();
    ui.TB->clear();
    ui.TB->setFocus();
    QApplication::processEvents();
    state.ResumeTiming();
    PressKey(ui.TB, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    state.PauseTiming();
    const bool pasted = ui.TB->document()->characterCount() == formula.size() + 1;
    state.ResumeTiming();
    if (!pasted) {
      state.SkipWithError("Ctrl+V did not paste the formula");
      break;
    }
  }
  ui.TB->clear();  // after the timed loop
  QApplication::processEvents();
}

void EnterLongFormula(benchmark::State& state, bool longHistory) {
  const int length = static_cast<int>(state.range(0));
  Quillo::AN_DH& window = LongFormulaWindow(longHistory);
  const Quillo::WindowControls& ui = window.controls();
  const QString formula = LongSum(length);
  ui.TB->setPlainText(formula);
  QApplication::processEvents();
  const int blocksBefore = ui.TJ->document()->blockCount();
  const QString line = LongSumDisplay(length) + QStringLiteral(" = ");

  for (auto _ : state) {
    PressKey(ui.TB, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));

    state.PauseTiming();
    const QTextBlock newLine = ui.TJ->document()->firstBlock().next();
    const bool added = ui.TJ->document()->blockCount() == blocksBefore + 2 &&
                       newLine.length() == line.size() + formula.size() + 1 &&
                       newLine.text().startsWith(line) &&
                       ui.TB->textCursor().selectedText().size() == formula.size();
    RemoveNewestEntry(*ui.TJ);
    QApplication::processEvents();
    state.ResumeTiming();
    if (!added) {
      state.SkipWithError("Enter did not put the calculation on top of the history");
      break;
    }
  }
  ui.TB->clear();  // after the timed loop
  QApplication::processEvents();
}

void BM_LongEnter(benchmark::State& state) { EnterLongFormula(state, false); }
void BM_LongEnterLongHistory(benchmark::State& state) { EnterLongFormula(state, true); }

// One step sideways in a history whose top entry holds the formula: the
// history box draws its lines again.
void BM_LongHistoryScroll(benchmark::State& state) {
  const int length = static_cast<int>(state.range(0));
  std::unique_ptr<BenchWindow>& slot = windows[-3 - length];
  if (!slot) {
    slot = std::make_unique<BenchWindow>();
    slot->window.controls().TB->setPlainText(LongSum(length));
    slot->window.show();
    QApplication::processEvents();
    PressKey(slot->window.controls().TB, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  }
  QScrollBar& bar = *slot->window.controls().TJ->horizontalScrollBar();
  if (bar.maximum() < bar.singleStep()) {
    state.SkipWithError("the history holds no line to scroll sideways");
    return;
  }
  int step = 0;
  for (auto _ : state) {
    bar.setValue(bar.singleStep() * (++step % 2));
    QApplication::processEvents();
  }
  state.counters["range"] = bar.maximum();
  state.counters["visible"] = slot->window.controls().TJ->isVisible();
}

BENCHMARK(BM_LongPaste)
    ->Name("Window/LongPaste")
    ->Arg(32000)->Arg(320000)->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LongEnter)
    ->Name("Window/LongEnter")
    ->Arg(32000)->Arg(320000)->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LongHistoryScroll)
    ->Name("Window/LongHistoryScroll")
    ->Arg(32000)->Arg(320000)->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LongEnterLongHistory)
    ->Name("Window/LongEnterLongHistory")
    ->Arg(32000)->Arg(320000)->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

}  // namespace

WindowBenchEnvironment::WindowBenchEnvironment(int& argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  Quillo::KeepLayoutBuffers();  // as the program does
  app_ = std::make_unique<QApplication>(argc, argv);
}

WindowBenchEnvironment::~WindowBenchEnvironment() {
  windows.clear();  // before the application goes
  app_.reset();
}

}  // namespace QuilloBench
