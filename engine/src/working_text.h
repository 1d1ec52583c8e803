// The driver's working text. Groups are reduced from the last "(" backwards,
// so every edit happens at a cut that only ever moves towards the start. The
// text is kept as a gap buffer with the gap at the cut: what lies in front of
// the cut at the buffer's start, what lies behind it at the buffer's end,
// each in order. Moving the cut back moves each character once, and an edit
// right behind the cut costs only what it removes and inserts.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace CalcString {

template <class Ch>
class WorkingText {
public:
  using View = std::basic_string_view<Ch>;

  // Takes over the text's storage, with room to grow behind it.
  explicit WorkingText(std::basic_string<Ch>&& text) : buffer_(std::move(text)), front_(buffer_.size()) {
    buffer_.resize(front_ + Spare(front_));
    back_ = buffer_.size();
  }

  std::size_t size() const { return front_ + (buffer_.size() - back_); }
  std::size_t cut() const { return front_; }

  // The characters in front of the cut, and from the cut to the end.
  View Front() const { return {buffer_.data(), front_}; }
  View Back() const { return {buffer_.data() + back_, buffer_.size() - back_}; }

  // Moves the cut back to `position` (at most the cut).
  void MoveCut(std::size_t position) {
    const std::size_t count = front_ - position;
    std::copy_backward(buffer_.begin() + static_cast<std::ptrdiff_t>(position),
                       buffer_.begin() + static_cast<std::ptrdiff_t>(front_),
                       buffer_.begin() + static_cast<std::ptrdiff_t>(back_));
    front_ = position;
    back_ -= count;
  }

  // Replaces the first `count` characters behind the cut by `text`, ASCII.
  void ReplaceBack(std::size_t count, std::string_view text) {
    back_ += count;
    if (back_ - front_ < text.size()) Grow(text.size());
    back_ -= text.size();
    std::copy(text.begin(), text.end(), buffer_.begin() + static_cast<std::ptrdiff_t>(back_));
  }

  // The whole text (the cut moves to the start).
  View Whole() {
    MoveCut(0);
    return Back();
  }

private:
  static std::size_t Spare(std::size_t size) { return size / 2 + 64; }

  // Makes the gap hold at least `needed` characters.
  void Grow(std::size_t needed) {
    const std::size_t backSize = buffer_.size() - back_;
    std::basic_string<Ch> bigger(front_ + backSize + needed + Spare(size()), Ch());
    std::copy(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(front_), bigger.begin());
    std::copy(buffer_.begin() + static_cast<std::ptrdiff_t>(back_), buffer_.end(),
              bigger.end() - static_cast<std::ptrdiff_t>(backSize));
    back_ = bigger.size() - backSize;
    buffer_ = std::move(bigger);
  }

  std::basic_string<Ch> buffer_;
  std::size_t front_;     // characters in front of the cut: buffer_[0, front_)
  std::size_t back_ = 0;  // the characters behind it: buffer_[back_, end)
};

}  // namespace CalcString
