// Qt's plain-text box lays a paragraph out line by line. Two of its habits
// cost far more than the text's length on a long formula:
//
// - Wrapping at word boundaries, a line that cannot break at a word looks
//   for the next break opportunity before it breaks anywhere, and it looks
//   through the rest of the paragraph. A formula such as "1+1+…+1" has no
//   break opportunity at all, so every line reads the rest of the text: the
//   square of its length. Breaking anywhere reads each line once.
// - Laid out, a paragraph keeps its lines but drops its shaped text, and the
//   caret's place (for every blink of the caret, every cursor move, every
//   paint with a selection) is found by itemizing and shaping the whole
//   paragraph again. Keeping the shaped text makes that a look-up.
#include "long_text.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>
#include <malloc.h>

#include "an_dh.h"

namespace Quillo {
namespace {

// Up to this many characters a box breaks its lines at word boundaries where
// it can, as it always has; longer texts break anywhere. The search for a
// break opportunity then costs at most this much per line.
constexpr int kWordWrapLimit = 1000;

QTextOption::WrapMode WrapModeFor(const QTextDocument& document) {
  return document.characterCount() > kWordWrapLimit ? QTextOption::WrapAnywhere
                                                    : QTextOption::WrapAtWordBoundaryOrAnywhere;
}

// Keeps the shaped text of the changed paragraphs.
void KeepShapes(QTextDocument& document, int from, int added) {
  const QTextBlock last = document.findBlock(from + added);
  for (QTextBlock block = document.findBlock(from); block.isValid(); block = block.next()) {
    block.layout()->setCacheEnabled(true);
    if (block == last) break;
  }
}

// A box that wraps at its width: the wrap mode follows the text's length,
// and the shaped text of every paragraph is kept. Both are set when the text
// has changed and before the box lays it out.
void SteerWrappingBox(QPlainTextEdit& box) {
  QTextDocument& document = *box.document();
  box.setWordWrapMode(WrapModeFor(document));
  KeepShapes(document, 0, document.characterCount());
  QObject::connect(&document, &QTextDocument::contentsChange, &box,
                   [&box, &document](int from, int /*removed*/, int added) {
                     KeepShapes(document, from, added);
                     // Replacing the whole text (setPlainText) first empties
                     // the box, inside the replacement: the new text is laid
                     // out before its own change is told. An empty box keeps
                     // its mode for the text that follows.
                     if (document.isEmpty()) return;
                     const QTextOption::WrapMode mode = WrapModeFor(document);
                     if (box.wordWrapMode() != mode) box.setWordWrapMode(mode);
                   });
}

}  // namespace

// Paragraphs are joined by line breaks, as Qt's plain-text copy joins them.
QMimeData* TextBox::createMimeDataFromSelection() const {
  auto* data = new QMimeData;
  QString text = textCursor().selectedText();
  text.replace(QChar::ParagraphSeparator, u'\n');
  text.replace(QChar::LineSeparator, u'\n');
  data->setText(text);
  return data;
}

void KeepLayoutBuffers() { mallopt(M_TRIM_THRESHOLD, 512 << 20); }

void SteerForLongText(const WindowControls& ui) {
  for (QPlainTextEdit* box : {ui.TB, ui.JG}) SteerWrappingBox(*box);
}

}  // namespace Quillo
