#include "windows/utf16.h"

#include <windows.h>

namespace quillo_eval {

std::string ToUtf8(std::wstring_view text) {
  std::string out;
  if (text.empty()) return out;
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  out.resize(static_cast<std::size_t>(size));
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), size, nullptr, nullptr);
  return out;
}

std::wstring ToUtf16(std::string_view text) {
  std::wstring out;
  if (text.empty()) return out;
  const int length = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  out.resize(static_cast<std::size_t>(size));
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, out.data(), size);
  return out;
}

std::size_t CompleteUtf8Prefix(std::string_view text) {
  // Look back over at most three continuation bytes for the lead byte.
  std::size_t back = 0;
  while (back < 3 && back < text.size() &&
         (static_cast<unsigned char>(text[text.size() - 1 - back]) & 0xC0) == 0x80)
    ++back;
  if (back == text.size()) return text.size();
  const auto lead = static_cast<unsigned char>(text[text.size() - 1 - back]);
  const std::size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return need > back + 1 ? text.size() - 1 - back : text.size();
}

}  // namespace quillo_eval
