// Qt's own texts (the error box's button, the context menus of the text boxes
// and scroll bars) in Simplified Chinese, like the rest of the window,
// whatever language the desktop runs in.
#pragma once

namespace Quillo {

// Installs Qt's Simplified Chinese translation (qtbase_zh_CN.qm from Qt's
// translations folder) into the application, once. Returns false when the
// translation is not installed; Qt's texts then stay English.
bool UseQtChineseTexts();

}  // namespace Quillo
