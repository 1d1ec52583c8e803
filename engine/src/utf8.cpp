#include "utf8.h"

#include "engine_internal.h"

namespace CalcString {

std::optional<std::u32string> DecodeUtf8(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const Utf8Char c = Utf8At(text);
    if (c.length == 0) return std::nullopt;
    out.push_back(c.code);
    text.remove_prefix(c.length);
  }
  return out;
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char32_t c : text) AppendUtf8(out, c);
  return out;
}

}  // namespace CalcString

namespace CalcString {
namespace {

bool IsBlank(char32_t c) {
  return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || c == U'\u3000';
}

}  // namespace

std::optional<Decoded> DecodeText(std::string_view text, bool normalise) {
  Decoded out;
  // Most formulas are ASCII: copied (without blanks) while checking that.
  out.bytes.resize(text.size());
  std::size_t kept = 0;
  unsigned high = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    high |= byte;
    out.bytes[kept] = c;
    kept += normalise && (byte == ' ' || byte == '\t' || byte == '\r' || byte == '\n') ? 0 : 1;
  }
  bool ascii = high < 0x80;
  if (ascii) {
    out.bytes.resize(kept);
    return out;
  }
  out.bytes.clear();
  out.bytes.shrink_to_fit();
  auto wide = DecodeUtf8(text);
  if (!wide) return std::nullopt;
  if (normalise) {
    // Blanks go, full-width forms (U+FF01..U+FF5E) become their ASCII twins.
    std::size_t kept = 0;
    for (char32_t c : *wide) {
      if (IsBlank(c)) continue;
      if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;
      (*wide)[kept++] = c;
    }
    wide->resize(kept);
  }
  for (const char32_t c : *wide) ascii = ascii && c < 0x80;
  if (!ascii) {
    out.ascii = false;
    out.wide = std::move(*wide);
    return out;
  }
  out.bytes.assign(wide->begin(), wide->end());
  return out;
}

}  // namespace CalcString
