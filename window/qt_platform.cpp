#include "qt_platform.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QUrl>

#include "title_frame.h"

namespace Quillo {

// Style 0 is the only one the engine asks for: one OK button and no icon.
void QtPlatform::ShowMessage(QWidget* owner, const QString& prompt, int /*style*/,
                             const QString& title) {
  QMessageBox box(QMessageBox::NoIcon, title, prompt, QMessageBox::Ok, owner);
  box.setTextFormat(Qt::PlainText);  // the message quotes the user's text
  box.setWindowModality(Qt::ApplicationModal);
  ExecWithTitleBar(box);
}

void QtPlatform::SetClipboardText(const QString& text) {
  QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

// Qt hands the address to xdg-open (or the desktop's portal) and returns
// without waiting for the browser.
void QtPlatform::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

}  // namespace Quillo
