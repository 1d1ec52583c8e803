#include "utf8.h"

#include "engine_internal.h"

namespace CalcString {

std::optional<std::u32string> DecodeUtf8(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const size_t n = text.size();
  for (size_t i = 0; i < n;) {
    const unsigned char b = s[i];
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    size_t len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((b & 0xE0) == 0xC0) {
      len = 2, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      len = 3, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      len = 4, cp = b & 0x07, min = 0x10000;
    } else {
      return std::nullopt;
    }
    if (n - i < len) return std::nullopt;
    for (size_t k = 1; k < len; ++k) {
      if ((s[i + k] & 0xC0) != 0x80) return std::nullopt;
      cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    out.push_back(cp);
    i += len;
  }
  return out;
}

std::string EncodeUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char32_t c : text) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
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
