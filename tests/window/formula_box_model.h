// A model of the formula box under the edits a user makes: its text and its
// selection (anchor and caret, counted in UTF-16 units as QTextCursor counts
// them). Characters replace the selection; Backspace and Delete remove the
// selection, or else one character, a surrogate pair being one character;
// Left and Right step over one character, or without Shift drop the
// selection at its near end; Ctrl+Home and Ctrl+End go to either end of the
// text. The window's own edits are here too: the function-list insert and
// the select-all that ends every evaluation.
#pragma once

#include <QString>
#include <algorithm>

namespace QuilloTest {

class FormulaBoxModel {
public:
  const QString& text() const { return text_; }
  int anchor() const { return anchor_; }
  int position() const { return position_; }
  int selectionStart() const { return std::min(anchor_, position_); }
  int selectionEnd() const { return std::max(anchor_, position_); }
  bool hasSelection() const { return anchor_ != position_; }

  // Nothing typed leaves the selection as it is.
  void Type(const QString& typed) {
    if (typed.isEmpty()) return;
    RemoveSelection();
    text_.insert(position_, typed);
    Collapse(position_ + int(typed.size()));
  }

  void Backspace() {
    if (hasSelection()) return RemoveSelection();
    const int from = Previous(position_);
    text_.remove(from, position_ - from);
    Collapse(from);
  }

  void Delete() {
    if (hasSelection()) return RemoveSelection();
    text_.remove(position_, Next(position_) - position_);
  }

  // With Shift the caret alone moves, one character even over a selection.
  void Left(bool extend) {
    if (extend) position_ = Previous(position_);
    else Collapse(hasSelection() ? selectionStart() : Previous(position_));
  }
  void Right(bool extend) {
    if (extend) position_ = Next(position_);
    else Collapse(hasSelection() ? selectionEnd() : Next(position_));
  }
  void ToStart(bool extend) { extend ? void(position_ = 0) : Collapse(0); }
  void ToEnd(bool extend) {
    const int end = int(text_.size());
    extend ? void(position_ = end) : Collapse(end);
  }
  void PlaceCaret(int position) { Collapse(position); }

  void SelectAll() {
    anchor_ = 0;
    position_ = int(text_.size());
  }

  // The function-list insert: "name()" at the start of the selection, which
  // stays behind the call; the caret then at the very end, nothing selected.
  void InsertCall(const QString& name) {
    text_.insert(selectionStart(), name + QStringLiteral("()"));
    Collapse(int(text_.size()));
  }

private:
  void Collapse(int at) { anchor_ = position_ = at; }
  void RemoveSelection() {
    const int from = selectionStart();
    text_.remove(from, selectionEnd() - from);
    Collapse(from);
  }
  int Previous(int at) const {
    if (at == 0) return 0;
    return at >= 2 && text_[at - 1].isLowSurrogate() && text_[at - 2].isHighSurrogate() ? at - 2
                                                                                          : at - 1;
  }
  int Next(int at) const {
    if (at == text_.size()) return at;
    return at + 1 < text_.size() && text_[at].isHighSurrogate() && text_[at + 1].isLowSurrogate()
               ? at + 2
               : at + 1;
  }

  QString text_;
  int anchor_ = 0;
  int position_ = 0;
};

}  // namespace QuilloTest
