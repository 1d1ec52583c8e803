// Long texts in the window's boxes: a formula or a history line of a million
// characters or more is laid out, drawn, selected and copied at a cost that
// grows with its length, not with its square.
#pragma once

#include <QPlainTextEdit>

namespace Quillo {

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

// Sets up a box that wraps at its width (the formula and result boxes) for
// long texts; called once per box, when the controls have been made.
void SteerForLongText(QPlainTextEdit& box);

// Laying out a long text takes buffers of many megabytes, and every layout
// takes them anew. The C library hands such buffers out as fresh pages from
// the system, each page faulted in and zeroed, and gives them back when they
// are freed; at a million characters that costs as much as the layout itself.
// This keeps up to 512 MiB of freed memory in the process for the next layout
// (the C library's default gives back all beyond 128 KiB).
// The program calls it once, at start.
void KeepLayoutBuffers();

}  // namespace Quillo
