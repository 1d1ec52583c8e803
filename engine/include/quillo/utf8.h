// UTF-8 as the engine reads it, for the programs around the engine too:
// strict forms only (no overlong forms, no surrogates, nothing above
// U+10FFFF).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace CalcString {

// How long the sequence is that `lead` begins: 1 for ASCII, 2 to 4 for the
// lead bytes C2..F4, 0 for a continuation byte or a byte no sequence uses.
constexpr std::size_t Utf8LeadLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// The character that `text` starts with: its code point and its length in
// bytes; length 0 when `text` does not start with a well-formed one.
struct Utf8Char {
  char32_t code = 0;
  std::size_t length = 0;
};

inline Utf8Char Utf8At(std::string_view text) {
  static constexpr unsigned char kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (text.empty()) return {};
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t length = Utf8LeadLength(lead);
  if (length == 0 || text.size() < length) return {};
  char32_t code = lead & kLeadBits[length];
  for (std::size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(text[k]);
    if ((next & 0xC0) != 0x80) return {};
    code = (code << 6) | (next & 0x3F);
  }
  if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {};
  return {code, length};
}

// Appends `code` (at most U+10FFFF) in UTF-8.
inline void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

}  // namespace CalcString
