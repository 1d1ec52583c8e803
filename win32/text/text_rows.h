// A text box's rows: in a box that wraps, each line is cut into rows at the
// box's width (after a blank or beside a Chinese character where it can, in
// a word where it must); in a box that scrolls sideways each line is a row.
// An edit lays out the lines it changed and no others.
#pragma once

#include <cstddef>
#include <vector>

#include "text/glyphs.h"
#include "text/text_lines.h"

namespace Quillo::Win32 {

class TextRows {
public:
  // `wrapWidth` 0: no wrapping.
  void Reset(const TextLines& text, const Glyphs& glyphs, int wrapWidth);
  // Lines [first, first + removed) were replaced by [first, first + added);
  // `grew`: nothing was taken out of them, text was only put in.
  void Update(const TextLines& text, const Glyphs& glyphs, std::size_t first, std::size_t removed,
              std::size_t added, bool grew);

  std::size_t Count() const { return wraps() ? rows_.size() : lines_; }
  TextPos Start(std::size_t row) const { return wraps() ? rows_[row] : TextPos{row, 0}; }
  // The column where the row ends: the next row's start, or its line's end.
  std::size_t End(const TextLines& text, std::size_t row) const;
  // The row that shows `pos`; a position where a line wraps is shown at the
  // start of the next row.
  std::size_t RowOf(TextPos pos) const;

  // How far from its row's start `pos` lies, in pixels.
  int X(const TextLines& text, const Glyphs& glyphs, TextPos pos) const;
  // The position in `row` nearest to `x` pixels from its start.
  TextPos At(const TextLines& text, const Glyphs& glyphs, std::size_t row, int x) const;
  // The widest row, in pixels (what a box that scrolls sideways can show).
  int Widest(const TextLines& text, const Glyphs& glyphs) const;

private:
  bool wraps() const { return wrapWidth_ > 0; }
  void Wrap(const TextLines& text, const Glyphs& glyphs, std::size_t line, std::vector<TextPos>& out) const;
  int LineWidth(const TextLines& text, const Glyphs& glyphs, std::size_t line) const;

  int wrapWidth_ = 0;
  std::vector<TextPos> rows_;  // where each row starts, when wrapping
  std::size_t lines_ = 1;      // when not
  mutable int widest_ = 0;
  mutable bool widestKnown_ = true;
};

}  // namespace Quillo::Win32
