// Enter in the formula box and the "=" button: the formula goes to the engine,
// the result to the result box, the calculation on top of the history, as
// the form makes them (form/form.h).
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <exception>
#include <optional>
#include <string>

#include "an_dh.h"
#include "platform.h"
#include "text/prepend_text.h"
#include "form/form.h"
#include "quillo/calc_string.h"

namespace Quillo {

QString AN_DH::HistorySeparator() { return QString::fromStdString(Form::HistorySeparator()); }

void AN_DH::TB_KeyPress(int& keyAscii) {
  if (keyAscii != kKeyEnter) return;  // every other key goes into the box
  keyAscii = 0;                        // Enter never adds a line break
  Evaluate();
}

// A formula the engine rejects, or one that comes back as a text that is no
// number, leaves the result and the history as they were; the error box
// shows the lines the form gives.
void AN_DH::Evaluate() {
  std::optional<Form::EnterOutcome> outcome;
  try {
    outcome = Form::Enter(ui.TB->toPlainText().toStdString());
  } catch (const std::exception&) {
    outcome.reset();
  }
  if (outcome && outcome->kind == Form::EnterOutcome::Kind::Shown) {
    ui.JG->setPlainText(QString::fromStdString(outcome->text));
    PrependHistory(outcome->history);
  } else if (outcome && outcome->kind == Form::EnterOutcome::Kind::Rejected) {
    QStringList lines;
    for (const std::string& line : outcome->error_box) lines.append(QString::fromStdString(line));
    platform_.ShowMessage(this, lines.join(u'\n'), CalcString::kStyleOkOnly,
                          QString::fromUtf8(Form::kErrorTitle.data(),
                                            static_cast<qsizetype>(Form::kErrorTitle.size())));
  }
  SelectFormula();
}

// The new entry goes in at the start of the history's document: the cost does
// not grow with the history, which is never read or written back whole, nor
// drawn again (PrependText draws the new lines only).
void AN_DH::PrependHistory(const std::array<std::string, 2>& entry) {
  PrependText(*ui.TJ, QString::fromStdString(entry[0]) + u'\n' +
                          QString::fromStdString(entry[1]) + u'\n');
  ui.TJ->verticalScrollBar()->setValue(0);
  ui.TJ->horizontalScrollBar()->setValue(0);
}

void AN_DH::SelectFormula() {
  ui.TB->setFocus(Qt::OtherFocusReason);
  QTextCursor cursor = ui.TB->textCursor();
  cursor.movePosition(QTextCursor::Start);
  cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  ui.TB->setTextCursor(cursor);
}

// The press draws the "=" in regular weight at the smaller size that fits it,
// while AN behind it keeps the bold caption and the resting frame.
void AN_DH::AN_DH_MouseDown() { SetLabelBold(*ui.AN_DH, false); }

void AN_DH::AN_DH_MouseUp() {
  SetLabelBold(*ui.AN_DH, true);
  ui.AN_DH->setGeometry(ui.AN->geometry());
  int keyAscii = kKeyEnter;
  TB_KeyPress(keyAscii);
}

}  // namespace Quillo
