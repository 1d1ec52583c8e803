// What the window tests share: a platform that records instead of showing,
// a freshly loaded and shown window, and typing that also works for Chinese
// and full-width characters (QTest::keyClicks takes ASCII only).
#pragma once

#include <QApplication>
#include <QList>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTextCursor>
#include <QUrl>
#include <memory>
#include <string_view>

#include "an_dh.h"
#include "platform.h"
#include "start_up.h"

namespace QuilloTest {

struct RecordingPlatform final : Quillo::Platform {
  struct Message {
    QString prompt;
    int style;
    QString title;
  };
  QList<Message> messages;
  QStringList clipboard;  // every text put there, in order
  QList<QUrl> opened;
  bool browser = true;  // whether a web browser starts

  void ShowMessage(QWidget*, const QString& prompt, int style, const QString& title) override {
    messages.append({prompt, style, title});
  }
  void SetClipboardText(const QString& text) override { clipboard.append(text); }
  bool OpenUrl(const QUrl& url) override {
    opened.append(url);
    return browser;
  }
};

// Shows a top-level widget and waits until it has the keyboard. On Wayland the
// compositor hands out the keyboard, soon after the window appears; no client
// can ask for it (qWaitForWindowActive would only wait for the exposure there).
inline bool ShowActive(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowExposed(&window) &&
         QTest::qWaitFor([&window] {
           return window.isActiveWindow() && QApplication::focusWidget() != nullptr;
         });
}

struct Fixture {
  bool setUp = (Quillo::SetUpApplication(), true);  // as main() does, before the window
  RecordingPlatform platform;
  Quillo::AN_DH window{platform};
  const Quillo::WindowControls& ui = window.controls();

  // Shows the window and waits until it has the keyboard.
  bool Show() { return ShowActive(window); }
};

// Types the text into the widget one key event per character.
inline void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

// The formula box's selection as start and length, in characters.
inline QPair<int, int> Selection(const QPlainTextEdit* box) {
  const QTextCursor cursor = box->textCursor();
  return {cursor.selectionStart(), cursor.selectionEnd() - cursor.selectionStart()};
}

// One history entry as the window must write it: 17 full-width hyphen-minus
// signs (U+FF0D), then the display text, " = " and the formula, each of its
// line breaks one blank.
inline QString HistoryEntry(const QString& display, QString formula) {
  formula.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
  for (const char16_t lineBreak : std::u16string_view(u"\r\n\v\f\u0085\u2028\u2029")) {
    formula.replace(lineBreak, u' ');
  }
  return QStringLiteral("－－－－－－－－－－－－－－－－－\n") + display + QStringLiteral(" = ") +
         formula + u'\n';
}

}  // namespace QuilloTest
