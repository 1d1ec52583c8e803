// Enter in the formula box, through the window's own event wiring, with an
// empty history and with 100,000 entries in it. A run times the key press and
// the work the toolkit does after it (layout, scroll bars, repaint); between
// runs, untimed, the new entry is taken out again, so every run starts from
// the same history.
#include "window_bench.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <map>

#include "an_dh.h"
#include "platform.h"

namespace QuilloBench {
namespace {

struct SilentPlatform final : Quillo::Platform {
  void ShowMessage(QWidget*, const QString&, int, const QString&) override {}
  void SetClipboardText(const QString&) override {}
  void OpenUrl(const QUrl&) override {}
};

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

}  // namespace

WindowBenchEnvironment::WindowBenchEnvironment(int& argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  app_ = std::make_unique<QApplication>(argc, argv);
}

WindowBenchEnvironment::~WindowBenchEnvironment() {
  windows.clear();  // before the application goes
  app_.reset();
}

}  // namespace QuilloBench
