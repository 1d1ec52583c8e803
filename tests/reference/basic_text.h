// Texts as sequences of characters with positions counted from 1, and the
// handful of text operations the reference engine is written with: Len, Mid,
// Left, InStr, InStrRev, Replace, Trim. Deliberately plain: every call copies
// or scans, so the reference stays easy to check against the algorithms.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace Reference {

using Text = std::u32string;

// A failure of the evaluation: caught by the formula driver alone.
class Failure : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A value assigned to or computed in a 16-bit signed position.
inline long Pos16(long value) {
  if (value > 32767 || value < -32768) throw Failure("16-bit position overflow");
  return value;
}

inline long Len(const Text& s) { return static_cast<long>(s.size()); }

// The character at `position`, or 0 past the end.
inline char32_t At(const Text& s, long position) {
  return position >= 1 && position <= Len(s) ? s[static_cast<std::size_t>(position - 1)] : 0;
}

// `length` characters from `start` (fewer at the end); a negative length or
// a start before 1 is a failure.
inline Text Mid(const Text& s, long start, long length) {
  if (start < 1 || length < 0) throw Failure("invalid Mid");
  if (start > Len(s)) return {};
  return s.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length));
}

inline Text Mid(const Text& s, long start) {
  if (start < 1) throw Failure("invalid Mid");
  if (start > Len(s)) return {};
  return s.substr(static_cast<std::size_t>(start - 1));
}

inline Text Left(const Text& s, long length) {
  if (length < 0) throw Failure("invalid Left");
  return s.substr(0, static_cast<std::size_t>(length));
}

// The position of the first `what` at or after `start`, 0 when there is none.
inline long InStr(long start, const Text& s, const Text& what) {
  if (start < 1) throw Failure("invalid InStr");
  if (start > Len(s)) return 0;
  const auto found = s.find(what, static_cast<std::size_t>(start - 1));
  return found == Text::npos ? 0 : static_cast<long>(found) + 1;
}

inline long InStr(const Text& s, const Text& what) { return InStr(1, s, what); }

// The position of the last `what`, 0 when there is none.
inline long InStrRev(const Text& s, const Text& what) {
  const auto found = s.rfind(what);
  return found == Text::npos ? 0 : static_cast<long>(found) + 1;
}

inline Text Replace(const Text& s, const Text& what, const Text& with) {
  Text out;
  std::size_t from = 0;
  for (auto at = s.find(what); at != Text::npos; at = s.find(what, from)) {
    out.append(s, from, at - from).append(with);
    from = at + what.size();
  }
  out.append(s, from);
  return out;
}

// Blanks (" ") removed at both ends.
inline Text Trim(const Text& s) {
  const auto first = s.find_first_not_of(U' ');
  if (first == Text::npos) return {};
  return s.substr(first, s.find_last_not_of(U' ') - first + 1);
}

inline bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

inline Text Ascii(std::string_view s) { return Text(s.begin(), s.end()); }

}  // namespace Reference
