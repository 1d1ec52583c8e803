// A text box's text as lines without their breaks, kept so that an edit
// costs what it touches: a new history entry goes in front of a hundred
// thousand lines without moving them, a character typed into a line of a
// million moves that line alone. Positions are lines and columns in UTF-16
// units; offsets count a line break as two units (CR LF), as Windows' own
// edit control does, and text comes out with CR LF between lines.
#pragma once

#include <compare>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace Quillo::Win32 {

struct TextPos {
  std::size_t line = 0;
  std::size_t column = 0;
  auto operator<=>(const TextPos&) const = default;
};

class TextLines {
public:
  std::size_t LineCount() const { return lines_.size(); }
  const std::wstring& Line(std::size_t line) const { return lines_[line]; }
  std::size_t Length() const { return length_; }  // line breaks count two
  bool Empty() const { return length_ == 0; }

  TextPos End() const { return {lines_.size() - 1, lines_.back().size()}; }
  // The nearest position in the text, never inside a surrogate pair.
  TextPos Clamp(TextPos pos) const;
  // An offset inside a line break or a surrogate pair goes to its start.
  TextPos PosOf(std::size_t offset) const;
  std::size_t OffsetOf(TextPos pos) const;

  std::wstring Text() const { return Text({}, End()); }
  std::wstring Text(TextPos from, TextPos to) const;

  // How many offset units `text` takes once in a box: each line break (CR
  // LF, CR or LF) counts two.
  static std::size_t OffsetLength(std::wstring_view text);

  // Puts `text` in place of [from, to) and returns where it ends. CR LF, CR
  // and LF in `text` each break a line.
  TextPos Replace(TextPos from, TextPos to, std::wstring_view text);

  // One character on: a surrogate pair is one, a line break is one.
  TextPos Next(TextPos pos) const;
  TextPos Previous(TextPos pos) const;
  // The start of the next word, and of this or the previous one (Ctrl with
  // the arrow keys); the word around a position (a double-click).
  TextPos NextWord(TextPos pos) const;
  TextPos PreviousWord(TextPos pos) const;
  std::pair<TextPos, TextPos> WordAround(TextPos pos) const;

private:
  std::deque<std::wstring> lines_{std::wstring()};
  std::size_t length_ = 0;
};

// How a character's code unit is read in a line: a surrogate pair whole.
char32_t CharAt(const std::wstring& line, std::size_t column);
inline bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IsLowSurrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

}  // namespace Quillo::Win32
