// The desktop's widget style, kept from loading: the window, its menus and its
// error box draw in a fixed look of their own (window_look.h), so a style
// that the desktop names (a platform theme's choice, QT_STYLE_OVERRIDE) would
// be loaded, and its palette worked out, for nothing at every start; Adwaita's
// alone costs more than the rest of the start-up together.
#pragma once

#include <QByteArray>
#include <optional>

namespace Quillo {

// Before the application object is made: makes Qt's built-in Fusion the
// application's style (the application then owns it), and sets
// QT_STYLE_OVERRIDE aside. Returns what it set aside (nothing if it was
// unset, an empty value if it was set empty), for PutStyleOverrideBack.
std::optional<QByteArray> SetDesktopStyleAside();

// Once the application object exists: puts QT_STYLE_OVERRIDE back, so that
// the programs this one starts (the browser of the shop link) still get it.
void PutStyleOverrideBack(const std::optional<QByteArray>& setAside);

}  // namespace Quillo
