#include "qt_platform.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QIcon>
#include <QGuiApplication>
#include <QMessageBox>
#include <QUrl>

#include "wayland/framed_window.h"
#include "look/window_look.h"

namespace Quillo {

// Style 0 is the only one the engine asks for: one OK button and no icon.
// The box has the window's look; its button is made once that look is set, so
// that no style of the desktop's puts an icon on it, and it reads Qt's own
// word for OK: "确定" in Qt's Chinese (a desktop theme's word may carry a
// mnemonic, as "确定(&O)").
void QtPlatform::ShowMessage(QWidget* owner, const QString& prompt, int /*style*/,
                             const QString& title) {
  QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::NoButton, owner);
  ApplyFixedLook(box);
  box.setStandardButtons(QMessageBox::Ok);
  QAbstractButton* ok = box.button(QMessageBox::Ok);
  ok->setStyle(FixedStyle());
  ok->setIcon(QIcon());
  ok->setText(QCoreApplication::translate("QPlatformTheme", "OK"));
  box.setTextFormat(Qt::PlainText);  // the message quotes the user's text
  box.setWindowModality(Qt::ApplicationModal);
  ExecWithTitleBar(box);
}

void QtPlatform::SetClipboardText(const QString& text) {
  QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

// Qt hands the address to xdg-open (or the desktop's portal) and returns
// without waiting for the browser.
bool QtPlatform::OpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

}  // namespace Quillo
