// The function list, the result copy and the shop link.
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QUrl>

#include "an_dh.h"
#include "platform.h"
#include "twips.h"

namespace Quillo {
namespace {

// Drops blanks (U+0020 only) at either end.
QString TrimBlanks(const QString& text) {
  qsizetype first = 0;
  qsizetype last = text.size();
  while (first < last && text[first] == u' ') ++first;
  while (last > first && text[last - 1] == u' ') --last;
  return text.sliced(first, last - first);
}

}  // namespace

QString AN_DH::ShopAddress() { return QStringLiteral("https://www.taobao.com/"); }

// Writes the selected entry's name and "()" into the formula at the start of
// its selection (selected text stays, after the call); the caret then goes to
// the end of the formula. Nothing happens without a selected entry, or for an
// entry without "(".
void AN_DH::FunList_DblClick() {
  const QList<QListWidgetItem*> selected = ui.FunList->selectedItems();
  if (selected.isEmpty()) return;
  const QString entry = selected.first()->text();
  const qsizetype open = entry.indexOf(u'(');
  if (open < 0) return;

  QTextCursor insert(ui.TB->document());
  insert.setPosition(ui.TB->textCursor().selectionStart());
  insert.insertText(entry.left(open) + QStringLiteral("()"));

  ui.TB->setFocus(Qt::OtherFocusReason);
  QTextCursor caret = ui.TB->textCursor();
  caret.movePosition(QTextCursor::End);
  ui.TB->setTextCursor(caret);
}

void AN_DH::JG_DblClick() { platform_.SetClipboardText(TrimBlanks(ui.JG->toPlainText())); }

void AN_DH::Label2_MouseDown() { ui.Label2->move(ui.Label2->x(), Px(kLabel2PressedTop)); }

void AN_DH::Label2_MouseUp() {
  ui.Label2->move(ui.Label2->x(), Px(kLabel2Top));
  platform_.OpenUrl(QUrl(ShopAddress()));
}

}  // namespace Quillo
