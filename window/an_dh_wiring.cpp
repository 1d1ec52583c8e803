// Where the toolkit's events reach the window's handlers: every connection of
// the window is made here.
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

#include "an_dh.h"

namespace Quillo {
namespace {

bool IsEnter(const QKeyEvent& key) {
  return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

// The character code a key press carries into the formula box: 13 for Enter
// (from either Enter key, with any modifier), else the first character of its
// text; -1 for keys that type nothing (arrows, shortcuts).
int KeyAscii(const QKeyEvent& key) {
  if (IsEnter(key)) return kKeyEnter;
  return key.text().isEmpty() ? -1 : key.text().front().unicode();
}

bool IsPress(const QEvent& event) {
  // The second press of a double-click comes as a double-click event.
  return event.type() == QEvent::MouseButtonPress || event.type() == QEvent::MouseButtonDblClick;
}

}  // namespace

void AN_DH::WireEvents() {
  ui.TB->installEventFilter(this);
  ui.JG->viewport()->installEventFilter(this);
  ui.AN_DH->installEventFilter(this);
  ui.Label2->installEventFilter(this);
  ui.FunList->installEventFilter(this);
  connect(ui.FunList, &QListWidget::itemDoubleClicked, this, [this] { FunList_DblClick(); });
}

bool AN_DH::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ui.TB && event->type() == QEvent::KeyPress) {
    int keyAscii = KeyAscii(*static_cast<QKeyEvent*>(event));
    if (keyAscii < 0) return false;
    TB_KeyPress(keyAscii);
    return keyAscii == 0;  // a code of 0 discards the keystroke
  }
  if (watched == ui.FunList && event->type() == QEvent::KeyPress &&
      IsEnter(*static_cast<QKeyEvent*>(event))) {
    // Enter on an entry inserts it, as a double-click does. Tabbing into the
    // list makes the first entry current without selecting it: Enter then
    // means that entry.
    if (ui.FunList->selectedItems().isEmpty() && ui.FunList->currentItem() != nullptr) {
      ui.FunList->currentItem()->setSelected(true);
    }
    FunList_DblClick();
    return true;
  }
  if (watched == ui.JG->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    JG_DblClick();
    return false;  // the box still selects the word under the pointer
  }
  if (watched == ui.AN_DH || watched == ui.Label2) {
    const bool link = watched == ui.Label2;
    if (IsPress(*event)) {
      link ? Label2_MouseDown() : AN_DH_MouseDown();
      return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
      link ? Label2_MouseUp() : AN_DH_MouseUp();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace Quillo
