#include "visible_text.h"

namespace quillo_eval {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void AppendEscape(std::string& out, const char* prefix, unsigned value, int digits) {
  out.append(prefix);
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out.push_back(kHex[(value >> shift) & 15]);
}

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0.
std::size_t SequenceLength(std::string_view text) {
  const auto c = static_cast<unsigned char>(text[0]);
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range
  if (c >= 0xC2 && c <= 0xDF) {
    length = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    length = 3;
    if (c == 0xE0) low = 0xA0;
    if (c == 0xED) high = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    length = 4;
    if (c == 0xF0) low = 0x90;
    if (c == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto d = static_cast<unsigned char>(text[k]);
    if (d < (k == 1 ? low : 0x80) || d > (k == 1 ? high : 0xBF)) return 0;
  }
  return length;
}

}  // namespace

std::string VisibleText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const auto c = static_cast<unsigned char>(text[0]);
    if (c < 0x20 || c == 0x7F) {
      AppendEscape(out, "\\x", c, 2);
      text.remove_prefix(1);
    } else if (c < 0x80) {
      out.push_back(text[0]);
      text.remove_prefix(1);
    } else if (const std::size_t length = SequenceLength(text); length == 0) {
      AppendEscape(out, "\\x", c, 2);
      text.remove_prefix(1);
    } else if (c == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0) {
      AppendEscape(out, "\\u", static_cast<unsigned char>(text[1]), 4);  // C1: U+0080..U+009F
      text.remove_prefix(2);
    } else {
      out.append(text.substr(0, length));
      text.remove_prefix(length);
    }
  }
  return out;
}

}  // namespace quillo_eval
