// Top-level windows below our own title bar, where the desktop draws none
// (see who_draws_title_bars.h). The window itself is unchanged: it is
// hosted, at its own fixed size and with its controls where they were, below
// the bar in a frameless frame, which becomes the top-level window. Elsewhere
// (X11, KDE on Wayland) these show the window as it is.
#pragma once

#include <QWidget>
#include <memory>

class QDialog;

namespace Quillo {

// Shows `window`, a fixed-size top-level widget. Returns the frame hosting it,
// or null when the window shows by itself. Destroying the frame gives the
// window back as a hidden top-level widget.
std::unique_ptr<QWidget> ShowWithTitleBar(QWidget& window);

// Runs the dialog modally, hosted below our title bar when it needs one, and
// returns its result, as QDialog::exec does.
int ExecWithTitleBar(QDialog& dialog);

}  // namespace Quillo
