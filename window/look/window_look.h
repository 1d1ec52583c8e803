// The window's own look, the same on every desktop: one widget style, a light
// palette and one font for the texts that no control sets, whatever palette,
// style or platform theme the desktop chooses.
#pragma once

#include <QFont>

class QPalette;
class QStyle;
class QWidget;

namespace Quillo {

// Qt's built-in Fusion style, one for the whole program (it belongs to the
// application object).
QStyle* FixedStyle();
// The light colours the window was drawn with: white boxes, black text, the
// usual blue selection.
const QPalette& FixedPalette();
// The font of menus, of the error box and of our title bar: the same faces
// under every locale.
QFont FixedFont();

// Gives `top` (a window) and every widget in it the fixed style, palette and
// font. Controls keep the colours and fonts they set themselves.
void ApplyFixedLook(QWidget& top);

// As ApplyFixedLook, but for the font: for a window that takes the fixed font
// later, once the controls that would measure their text with it exist.
void ApplyFixedStyleAndPalette(QWidget& top);

// As ApplyFixedLook, and keeps it: the menus that the widgets in `window` open
// later (the boxes' and the scroll bars' context menus) get the same look.
void KeepFixedLook(QWidget& window);

}  // namespace Quillo
