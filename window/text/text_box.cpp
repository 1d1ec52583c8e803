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
// - Left to find a paragraph's direction itself, Qt looks for its first
//   letter that has one, and a formula of digits and signs has none: every
//   time the caret is placed (each blink of it, twice a second) the whole
//   paragraph is read. Past a thousand characters the direction is found once
//   per change of the text and handed to the layout.
#include "text_box.h"

#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextOption>
#include <QGuiApplication>
#include <QInputMethod>
#include <malloc.h>

#include <optional>


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

// The direction Qt finds for each paragraph on its own: that of its first
// letter that has one, left to right when none has, and the keyboard's for an
// empty paragraph. A long text gets that direction when all its paragraphs
// agree on it; otherwise, and for short texts, Qt keeps finding it itself.
Qt::LayoutDirection DirectionFor(const QTextDocument& document) {
  if (document.characterCount() <= kWordWrapLimit) return Qt::LayoutDirectionAuto;
  std::optional<bool> rightToLeft;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const QString text = block.text();
    const bool here =
        text.isEmpty()
            ? QGuiApplication::inputMethod()->inputDirection() == Qt::RightToLeft
            : text.isRightToLeft();
    if (rightToLeft.has_value() && *rightToLeft != here) return Qt::LayoutDirectionAuto;
    rightToLeft = here;
  }
  return rightToLeft.value_or(false) ? Qt::RightToLeft : Qt::LeftToRight;
}

// Keeps the shaped text of the changed paragraphs.
void KeepShapes(QTextDocument& document, int from, int added) {
  const QTextBlock last = document.findBlock(from + added);
  for (QTextBlock block = document.findBlock(from); block.isValid(); block = block.next()) {
    block.layout()->setCacheEnabled(true);
    if (block == last) break;
  }
}

// The wrap mode and the direction that suit the text; a change of either
// lays the whole text out again, so the option is set only when it differs.
void SteerOption(QTextDocument& document) {
  QTextOption option = document.defaultTextOption();
  const QTextOption::WrapMode mode = WrapModeFor(document);
  const Qt::LayoutDirection direction = DirectionFor(document);
  if (option.wrapMode() == mode && option.textDirection() == direction) return;
  option.setWrapMode(mode);
  option.setTextDirection(direction);
  document.setDefaultTextOption(option);
}

// A box that wraps at its width: the wrap mode and the direction follow the
// text, and the shaped text of every paragraph is kept. All are set when the
// text has changed and before the box lays it out.
void SteerWrappingBox(QPlainTextEdit& box) {
  QTextDocument& document = *box.document();
  SteerOption(document);
  KeepShapes(document, 0, document.characterCount());
  QObject::connect(&document, &QTextDocument::contentsChange, &box,
                   [&document](int from, int /*removed*/, int added) {
                     KeepShapes(document, from, added);
                     // Replacing the whole text (setPlainText) first empties
                     // the box, inside the replacement: the new text is laid
                     // out before its own change is told. An empty box keeps
                     // its option for the text that follows.
                     if (document.isEmpty()) return;
                     SteerOption(document);
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

void SteerForLongText(QPlainTextEdit& box) { SteerWrappingBox(box); }

}  // namespace Quillo
