// The desktop as Qt offers it: QMessageBox, QClipboard, QDesktopServices.
#pragma once

#include "platform.h"

namespace Quillo {

class QtPlatform final : public Platform {
public:
  void ShowMessage(QWidget* owner, const QString& prompt, int style,
                   const QString& title) override;
  void SetClipboardText(const QString& text) override;
  bool OpenUrl(const QUrl& url) override;
};

}  // namespace Quillo
