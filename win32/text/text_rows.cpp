#include "text/text_rows.h"

#include <algorithm>

namespace Quillo::Win32 {
namespace {

// Han, kana, Hangul and the full-width forms: a row may end before or after
// any of them, as in Chinese text.
bool IsWide(char32_t c) {
  return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF);
}

std::size_t UnitsOf(char32_t c) { return c > 0xFFFF ? 2 : 1; }

}  // namespace

void TextRows::Reset(const TextLines& text, const Glyphs& glyphs, int wrapWidth) {
  wrapWidth_ = std::max(0, wrapWidth);
  rows_.clear();
  lines_ = text.LineCount();
  widest_ = 0;
  widestKnown_ = false;
  if (!wraps()) return;
  for (std::size_t line = 0; line < text.LineCount(); ++line) Wrap(text, glyphs, line, rows_);
}

void TextRows::Update(const TextLines& text, const Glyphs& glyphs, std::size_t first, std::size_t removed,
                      std::size_t added, bool grew) {
  lines_ = text.LineCount();
  if (!wraps()) {
    // Where text went, the widest line may have gone: measured again when
    // asked. A new history entry only adds, and measures its own lines.
    if (!grew) widestKnown_ = false;
    if (widestKnown_) {
      for (std::size_t line = first; line < first + added; ++line) {
        widest_ = std::max(widest_, LineWidth(text, glyphs, line));
      }
    }
    return;
  }
  const auto begin = std::lower_bound(rows_.begin(), rows_.end(), TextPos{first, 0});
  const auto end = std::lower_bound(begin, rows_.end(), TextPos{first + removed, 0});
  std::vector<TextPos> fresh;
  for (std::size_t line = first; line < first + added; ++line) Wrap(text, glyphs, line, fresh);
  const std::size_t at = static_cast<std::size_t>(begin - rows_.begin());
  rows_.erase(begin, end);
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), fresh.begin(), fresh.end());
  if (added != removed) {
    for (std::size_t row = at + fresh.size(); row < rows_.size(); ++row) rows_[row].line += added - removed;
  }
}

void TextRows::Wrap(const TextLines& text, const Glyphs& glyphs, std::size_t line,
                    std::vector<TextPos>& out) const {
  const std::wstring& s = text.Line(line);
  std::size_t start = 0;
  std::size_t breakAt = 0;  // past `start`: where the next row may begin
  int x = 0;
  out.push_back({line, 0});
  for (std::size_t i = 0; i < s.size();) {
    const char32_t c = CharAt(s, i);
    int width = glyphs.Advance(c, x);
    // Blanks may run past the edge; anything else starts a new row there,
    // unless it is the row's first character.
    if (c != U' ' && c != U'\t' && x + width > wrapWidth_ && i > start) {
      if (IsWide(c)) breakAt = i;
      start = breakAt > start ? breakAt : i;
      out.push_back({line, start});
      breakAt = 0;
      x = 0;
      for (std::size_t j = start; j < i; j += UnitsOf(CharAt(s, j))) x += glyphs.Advance(CharAt(s, j), x);
      width = glyphs.Advance(c, x);
    }
    x += width;
    i += UnitsOf(c);
    if (c == U' ' || c == U'\t' || IsWide(c)) breakAt = i;
  }
}

std::size_t TextRows::End(const TextLines& text, std::size_t row) const {
  if (wraps() && row + 1 < rows_.size() && rows_[row + 1].line == rows_[row].line) return rows_[row + 1].column;
  return text.Line(Start(row).line).size();
}

std::size_t TextRows::RowOf(TextPos pos) const {
  if (!wraps()) return pos.line;
  const auto after = std::upper_bound(rows_.begin(), rows_.end(), pos);
  return after == rows_.begin() ? 0 : static_cast<std::size_t>(after - rows_.begin()) - 1;
}

int TextRows::X(const TextLines& text, const Glyphs& glyphs, TextPos pos) const {
  const std::wstring& s = text.Line(pos.line);
  int x = 0;
  for (std::size_t i = Start(RowOf(pos)).column; i < pos.column && i < s.size();) {
    const char32_t c = CharAt(s, i);
    x += glyphs.Advance(c, x);
    i += UnitsOf(c);
  }
  return x;
}

TextPos TextRows::At(const TextLines& text, const Glyphs& glyphs, std::size_t row, int x) const {
  const TextPos start = Start(row);
  const std::wstring& s = text.Line(start.line);
  const std::size_t end = End(text, row);
  int left = 0;
  std::size_t i = start.column;
  while (i < end) {
    const char32_t c = CharAt(s, i);
    const int width = glyphs.Advance(c, left);
    if (x < left + width / 2 + width % 2) break;  // nearer this character's left edge
    left += width;
    i += UnitsOf(c);
  }
  // The end of a row that wraps is the next row's start: stay on this one.
  if (i == end && wraps() && end < s.size() && i > start.column) i = text.Previous({start.line, end}).column;
  return {start.line, i};
}

int TextRows::LineWidth(const TextLines& text, const Glyphs& glyphs, std::size_t line) const {
  return X(text, glyphs, {line, text.Line(line).size()});
}

int TextRows::Widest(const TextLines& text, const Glyphs& glyphs) const {
  if (wraps()) return wrapWidth_;
  if (!widestKnown_) {
    widest_ = 0;
    for (std::size_t line = 0; line < text.LineCount(); ++line) widest_ = std::max(widest_, LineWidth(text, glyphs, line));
    widestKnown_ = true;
  }
  return widest_;
}

}  // namespace Quillo::Win32
