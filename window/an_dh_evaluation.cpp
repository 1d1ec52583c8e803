// Enter in the formula box and the "=" button: the formula goes to the engine,
// the result to the result box, the calculation on top of the history.
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
#include "quillo/calc_string.h"

namespace Quillo {

QString AN_DH::HistorySeparator() { return QString(17, QChar(0xFF0D)); }  // "－" x 17

void AN_DH::TB_KeyPress(int& keyAscii) {
  if (keyAscii != kKeyEnter) return;  // every other key goes into the box
  keyAscii = 0;                        // Enter never adds a line break
  Evaluate();
}

// A formula the engine rejects, or one that comes back as a text that is no
// number ("abc"), leaves the result and the history as they were: neither is
// written before the result has been read as a number.
void AN_DH::Evaluate() {
  std::optional<std::string> display;
  try {
    const auto box = [this](const std::string& prompt, int style, const std::string& title) {
      QString text = QString::fromStdString(prompt);
      text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      platform_.ShowMessage(this, text, style, QString::fromStdString(title));
    };
    const auto result = CalcString::CalcFormula(ui.TB->toPlainText().toStdString(), box);
    display = CalcString::DisplayText(CalcString::ToText(result));
  } catch (const std::exception&) {
    display.reset();
  }
  if (display) {
    ui.JG->setPlainText(QString::fromStdString(*display));
    PrependHistory(ui.JG->toPlainText(), ui.TB->toPlainText());
  }
  SelectFormula();
}

// The new entry goes in at the start of the history's document: the cost does
// not grow with the history, which is never read or written back whole, nor
// drawn again (PrependText draws the new lines only).
void AN_DH::PrependHistory(const QString& display, const QString& formula) {
  PrependText(*ui.TJ, HistorySeparator() + u'\n' + display + QStringLiteral(" = ") + formula +
                          u'\n');
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
