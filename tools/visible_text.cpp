#include "visible_text.h"

#include "quillo/utf8.h"

namespace quillo_eval {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void AppendEscape(std::string& out, const char* prefix, unsigned value, int digits) {
  out.append(prefix);
  for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4) out.push_back(kHex[(value >> shift) & 15]);
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
    } else if (const std::size_t length = CalcString::Utf8At(text).length; length == 0) {
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
