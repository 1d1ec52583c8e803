#include "text/text_lines.h"

#include <algorithm>
#include <vector>

namespace Quillo::Win32 {
namespace {

bool IsBlank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\u3000'; }

// `text` cut at its line breaks (CR LF, CR, LF).
std::vector<std::wstring_view> SplitLines(std::wstring_view text) {
  std::vector<std::wstring_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'\r' && text[i] != L'\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

char32_t CharAt(const std::wstring& line, std::size_t column) {
  const wchar_t unit = line[column];
  if (IsHighSurrogate(unit) && column + 1 < line.size() && IsLowSurrogate(line[column + 1])) {
    return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (line[column + 1] - 0xDC00);
  }
  return unit;
}

TextPos TextLines::Clamp(TextPos pos) const {
  if (pos.line >= lines_.size()) return End();
  const std::wstring& line = lines_[pos.line];
  pos.column = std::min(pos.column, line.size());
  if (pos.column > 0 && pos.column < line.size() && IsLowSurrogate(line[pos.column]) &&
      IsHighSurrogate(line[pos.column - 1])) {
    --pos.column;
  }
  return pos;
}

TextPos TextLines::PosOf(std::size_t offset) const {
  for (std::size_t line = 0; line < lines_.size(); ++line) {
    const std::size_t size = lines_[line].size();
    if (offset <= size) return Clamp({line, offset});
    if (offset < size + 2) return {line, size};  // inside the line break
    offset -= size + 2;
  }
  return End();
}

std::size_t TextLines::OffsetOf(TextPos pos) const {
  pos = Clamp(pos);
  std::size_t offset = pos.column;
  for (std::size_t line = 0; line < pos.line; ++line) offset += lines_[line].size() + 2;
  return offset;
}

std::wstring TextLines::Text(TextPos from, TextPos to) const {
  from = Clamp(from);
  to = Clamp(to);
  if (to <= from) return {};
  if (from.line == to.line) return lines_[from.line].substr(from.column, to.column - from.column);
  std::wstring text;
  std::size_t size = lines_[from.line].size() - from.column + to.column;
  for (std::size_t line = from.line + 1; line < to.line; ++line) size += lines_[line].size();
  text.reserve(size + 2 * (to.line - from.line));
  text.append(lines_[from.line], from.column);
  for (std::size_t line = from.line + 1; line <= to.line; ++line) {
    text += L"\r\n";
    text.append(lines_[line], 0, line == to.line ? to.column : std::wstring::npos);
  }
  return text;
}

std::size_t TextLines::OffsetLength(std::wstring_view text) {
  const std::vector<std::wstring_view> lines = SplitLines(text);
  std::size_t length = 2 * (lines.size() - 1);
  for (std::wstring_view line : lines) length += line.size();
  return length;
}

TextPos TextLines::Replace(TextPos from, TextPos to, std::wstring_view text) {
  from = Clamp(from);
  to = Clamp(to);
  if (to < from) std::swap(from, to);
  const std::vector<std::wstring_view> parts = SplitLines(text);

  // The lines from `from` to `to` become the parts, the first part after
  // what stood before `from`, the last before what stood after `to`.
  std::size_t removed = to.column - from.column;
  if (from.line != to.line) {
    removed = lines_[from.line].size() - from.column + to.column + 2 * (to.line - from.line);
    for (std::size_t line = from.line + 1; line < to.line; ++line) removed += lines_[line].size();
  }
  std::wstring tail = lines_[to.line].substr(to.column);
  lines_[from.line].resize(from.column);
  lines_[from.line].append(parts.front());
  const auto first = lines_.begin() + static_cast<std::ptrdiff_t>(from.line);
  lines_.erase(first + 1, first + 1 + static_cast<std::ptrdiff_t>(to.line - from.line));
  std::size_t added = parts.front().size() + 2 * (parts.size() - 1);
  if (parts.size() > 1) {
    std::vector<std::wstring> more;
    more.reserve(parts.size() - 1);
    for (std::size_t i = 1; i < parts.size(); ++i) {
      more.emplace_back(parts[i]);
      added += parts[i].size();
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(from.line) + 1,
                  std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
  }
  const TextPos end{from.line + parts.size() - 1, lines_[from.line + parts.size() - 1].size()};
  lines_[end.line].append(tail);
  length_ = length_ - removed + added;
  return end;
}

TextPos TextLines::Next(TextPos pos) const {
  pos = Clamp(pos);
  const std::wstring& line = lines_[pos.line];
  if (pos.column < line.size()) {
    pos.column += CharAt(line, pos.column) > 0xFFFF ? 2 : 1;
    return pos;
  }
  return pos.line + 1 < lines_.size() ? TextPos{pos.line + 1, 0} : pos;
}

TextPos TextLines::Previous(TextPos pos) const {
  pos = Clamp(pos);
  if (pos.column == 0) return pos.line > 0 ? TextPos{pos.line - 1, lines_[pos.line - 1].size()} : pos;
  return Clamp({pos.line, pos.column - 1});
}

// Words are runs of anything but blanks; a line break ends one too.
TextPos TextLines::NextWord(TextPos pos) const {
  pos = Clamp(pos);
  const std::wstring& line = lines_[pos.line];
  if (pos.column == line.size()) return Next(pos);
  while (pos.column < line.size() && !IsBlank(line[pos.column])) pos = Next(pos);
  while (pos.column < line.size() && IsBlank(line[pos.column])) pos = Next(pos);
  return pos;
}

TextPos TextLines::PreviousWord(TextPos pos) const {
  pos = Clamp(pos);
  if (pos.column == 0) return Previous(pos);
  const std::wstring& line = lines_[pos.line];
  while (pos.column > 0 && IsBlank(line[pos.column - 1])) pos = Previous(pos);
  while (pos.column > 0 && !IsBlank(line[pos.column - 1])) pos = Previous(pos);
  return pos;
}

std::pair<TextPos, TextPos> TextLines::WordAround(TextPos pos) const {
  pos = Clamp(pos);
  const std::wstring& line = lines_[pos.line];
  // Between two characters, the word is the one to the right, else the left.
  const bool blank = pos.column < line.size() ? IsBlank(line[pos.column])
                                              : pos.column == 0 || IsBlank(line[pos.column - 1]);
  const auto same = [&](std::size_t column) { return IsBlank(line[column]) == blank; };
  TextPos start = pos;
  TextPos end = pos;
  while (start.column > 0 && same(start.column - 1)) start = Previous(start);
  while (end.column < line.size() && same(end.column)) end = Next(end);
  return {start, end};
}

}  // namespace Quillo::Win32
