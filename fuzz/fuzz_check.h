// What the fuzz targets share: stopping with a readable report when a promise
// is broken (libFuzzer then keeps the input as a crash artifact), and a few
// text checks written independently of the engine's own code.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace QuilloFuzz {

// The input with every byte outside printable ASCII written as \xNN.
inline std::string Escaped(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (const char ch : text.substr(0, 300)) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out.push_back(ch);
    } else {
      out.append("\\x").push_back(kHex[c >> 4]);
      out.push_back(kHex[c & 15]);
    }
  }
  if (text.size() > 300) out.append("... (").append(std::to_string(text.size())).append(" bytes)");
  return out;
}

[[noreturn]] inline void Fail(std::string_view what, std::string_view input, std::string_view detail = {}) {
  std::fprintf(stderr, "\n*** broken promise: %.*s\n*** input:  \"%s\"\n", static_cast<int>(what.size()),
               what.data(), Escaped(input).c_str());
  if (!detail.empty()) std::fprintf(stderr, "*** detail: \"%s\"\n", Escaped(detail).c_str());
  std::abort();
}

inline void Check(bool ok, std::string_view what, std::string_view input, std::string_view detail = {}) {
  if (!ok) Fail(what, input, detail);
}

// Well-formed UTF-8: shortest forms only, no surrogates, nothing above U+10FFFF.
inline bool IsValidUtf8(std::string_view text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    const unsigned c = s[i];
    std::size_t len = 1;
    unsigned lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      len = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3;
      if (c == 0xE0) lo = 0xA0;
      if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4;
      if (c == 0xF0) lo = 0x90;
      if (c == 0xF4) hi = 0x8F;
    } else {
      return false;
    }
    if (n - i < len || s[i + 1] < lo || s[i + 1] > hi) return false;
    for (std::size_t k = 2; k < len; ++k) {
      if (s[i + k] < 0x80 || s[i + k] > 0xBF) return false;
    }
    i += len;
  }
  return true;
}

}  // namespace QuilloFuzz
