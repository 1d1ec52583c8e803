// The function list, the result copy and the shop link.
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QUrl>

#include <optional>
#include <string>

#include "an_dh.h"
#include "form/form.h"
#include "platform.h"
#include "twips.h"

namespace Quillo {

QString AN_DH::ShopAddress() {
  return QString::fromUtf8(Form::kShopAddress.data(),
                           static_cast<qsizetype>(Form::kShopAddress.size()));
}

// Writes the selected entry's call into the formula at the start of its
// selection (selected text stays, after the call); the caret then goes to the
// end of the formula. Nothing happens without a selected entry, or for an
// entry without "(".
void AN_DH::FunList_DblClick() {
  const QList<QListWidgetItem*> selected = ui.FunList->selectedItems();
  if (selected.isEmpty()) return;
  const std::optional<std::string> call = Form::InsertedCall(selected.first()->text().toStdString());
  if (!call) return;

  QTextCursor insert(ui.TB->document());
  insert.setPosition(ui.TB->textCursor().selectionStart());
  insert.insertText(QString::fromStdString(*call));

  ui.TB->setFocus(Qt::OtherFocusReason);
  QTextCursor caret = ui.TB->textCursor();
  caret.movePosition(QTextCursor::End);
  ui.TB->setTextCursor(caret);
}

void AN_DH::JG_DblClick() {
  platform_.SetClipboardText(
      QString::fromStdString(Form::CopiedResult(ui.JG->toPlainText().toStdString())));
}

void AN_DH::Label2_MouseDown() { ui.Label2->move(ui.Label2->x(), Px(kLabel2PressedTop)); }

void AN_DH::Label2_MouseUp() {
  ui.Label2->move(ui.Label2->x(), Px(kLabel2Top));
  // A link that leads nowhere says so, in the window's error box.
  if (!platform_.OpenUrl(QUrl(ShopAddress()))) {
    platform_.ShowMessage(this, QString::fromUtf8(Form::kShopUnopened.data(), qsizetype(Form::kShopUnopened.size())) +
                                    ShopAddress(),
                          CalcString::kStyleOkOnly,
                          QString::fromUtf8(Form::kErrorTitle.data(), qsizetype(Form::kErrorTitle.size())));
  }
}

}  // namespace Quillo
