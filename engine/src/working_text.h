// The driver's working text. Groups are reduced from the last "(" backwards,
// so every edit happens at a cut that only ever moves towards the start:
// the text in front of the cut is kept in order, the text behind it reversed,
// and an edit at the cut costs only what it removes and inserts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace CalcString {

class WorkingText {
public:
  explicit WorkingText(std::u32string text) : head_(std::move(text)) {}

  std::size_t size() const { return head_.size() + tail_.size(); }
  std::size_t cut() const { return head_.size(); }

  char32_t operator[](std::size_t i) const {
    return i < head_.size() ? head_[i] : tail_[tail_.size() - 1 - (i - head_.size())];
  }

  std::u32string Substr(std::size_t from, std::size_t to) const {
    std::u32string out;
    out.reserve(to - from);
    for (std::size_t i = from; i < to; ++i) out.push_back((*this)[i]);
    return out;
  }

  // Replaces the characters [from, to) by `text`; `from` must not lie behind
  // the cut, which then moves to `from`.
  void Replace(std::size_t from, std::size_t to, std::u32string_view text) {
    while (head_.size() > from) {
      tail_.push_back(head_.back());
      head_.pop_back();
    }
    tail_.resize(tail_.size() - (to - from));
    tail_.append(text.rbegin(), text.rend());
  }

  std::u32string Str() const {
    std::u32string out = head_;
    out.append(tail_.rbegin(), tail_.rend());
    return out;
  }

private:
  std::u32string head_;
  std::u32string tail_;  // reversed
};

}  // namespace CalcString
