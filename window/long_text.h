// Long texts in the window's boxes: a formula or a history line of a million
// characters or more is laid out, drawn, selected and copied at a cost that
// grows with its length, not with its square.
#pragma once

#include <QPlainTextEdit>

namespace Quillo {

struct WindowControls;

// The window's text box: Qt's plain-text box, but what it copies (to the
// clipboard, the X11 selection or a drag) is the plain text alone. Qt's box
// also writes the selection out as HTML and as an OpenDocument text for
// every copy, and for a long selection that takes seconds.
class TextBox final : public QPlainTextEdit {
public:
  using QPlainTextEdit::QPlainTextEdit;

protected:
  QMimeData* createMimeDataFromSelection() const override;
};

// Sets up the formula and result boxes for long texts; called once, when the
// controls have been made.
void SteerForLongText(const WindowControls& ui);

}  // namespace Quillo
