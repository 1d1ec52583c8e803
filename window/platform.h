// What the window needs from the desktop: the modal message box, the
// clipboard and the web browser. The program passes in QtPlatform; tests pass
// in a recorder, so every handler runs headless.
#pragma once

class QString;
class QUrl;
class QWidget;

namespace Quillo {

class Platform {
public:
  virtual ~Platform() = default;

  // A modal message box over `owner`: the prompt (lines broken by "\n"), the
  // style (0: one OK button, no icon) and the title. Returns when it is closed.
  virtual void ShowMessage(QWidget* owner, const QString& prompt, int style,
                           const QString& title) = 0;
  // Puts the text on the clipboard as plain text.
  virtual void SetClipboardText(const QString& text) = 0;
  // Opens the address in the default web browser, without waiting; false
  // when no browser could be started.
  virtual bool OpenUrl(const QUrl& url) = 0;
};

}  // namespace Quillo
