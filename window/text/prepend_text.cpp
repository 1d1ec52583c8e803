#include "prepend_text.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtMath>

namespace Quillo {
namespace {

// The box draws itself and shows the start of its document, unscrolled.
bool ShowsStart(const QPlainTextEdit& box) {
  return box.isVisible() && box.viewport()->updatesEnabled() && !box.centerOnScroll() &&
         box.verticalScrollBar()->value() == 0 && box.horizontalScrollBar()->value() == 0;
}

// The height the first `blocks` blocks take on screen.
qreal HeightOfFirstBlocks(const QTextDocument& document, int blocks) {
  QAbstractTextDocumentLayout& layout = *document.documentLayout();
  qreal height = 0;
  QTextBlock block = document.firstBlock();
  for (int i = 0; i < blocks && block.isValid(); ++i, block = block.next()) {
    height += layout.blockBoundingRect(block).height();
  }
  return height;
}

}  // namespace

void PrependText(QPlainTextEdit& box, const QString& text) {
  QTextDocument& document = *box.document();
  QTextCursor cursor(&document);
  if (!ShowsStart(box) || !text.endsWith(u'\n')) {
    cursor.insertText(text);
    return;
  }

  // Every block on screen stays as it was, below whole new blocks. The layout
  // would ask for the whole box to be drawn again: its signals are held back
  // and its new size passed on afterwards.
  QAbstractTextDocumentLayout& layout = *document.documentLayout();
  const int blocksBefore = document.blockCount();
  {
    const QSignalBlocker quiet(&layout);
    cursor.insertText(text);
  }
  emit layout.documentSizeChanged(layout.documentSize());  // for the scroll bars

  QWidget& view = *box.viewport();
  const qreal height = HeightOfFirstBlocks(document, document.blockCount() - blocksBefore);
  const int pixels = qRound(height);
  if (!ShowsStart(box) || !qFuzzyIsNull(height - pixels)) {
    view.update();  // the box scrolled, or the old lines moved by part of a pixel
    return;
  }
  view.scroll(0, pixels);
  // The new lines, down to the old first line: the top margin moved with the
  // old lines and has to be drawn over.
  view.update(0, 0, view.width(), qCeil(document.documentMargin()) + pixels);
}

}  // namespace Quillo
