// Text put in at the start of a plain-text box, drawn at a cost that does not
// depend on how much text the box already holds.
#pragma once

class QPlainTextEdit;
class QString;

namespace Quillo {

// Inserts `text` at the start of the box's document. When the box shows the
// start of its document and `text` ends in a line break, the lines on screen
// are moved down as pixels and only the new lines are drawn: the box itself
// would draw every visible line again. The box's scroll position, scroll bars
// and document come out as a plain insertion leaves them.
void PrependText(QPlainTextEdit& box, const QString& text);

}  // namespace Quillo
