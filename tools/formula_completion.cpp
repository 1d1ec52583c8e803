#include "formula_completion.h"

namespace quillo_eval {

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(std::string_view name, std::string_view prefix) {
  if (prefix.size() > name.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (Lower(name[i]) != Lower(prefix[i])) return false;
  return true;
}

// The letter that ends `text`, ASCII or full-width (U+FF21..U+FF3A,
// U+FF41..U+FF5A: three bytes in UTF-8), as its ASCII twin; with its length
// in bytes. Zero for anything else.
std::size_t LetterAtEnd(std::string_view text, char& letter) {
  if (!text.empty() && IsAsciiLetter(text.back())) {
    letter = text.back();
    return 1;
  }
  if (text.size() < 3) return 0;
  const auto b0 = static_cast<unsigned char>(text[text.size() - 3]);
  const auto b1 = static_cast<unsigned char>(text[text.size() - 2]);
  const auto b2 = static_cast<unsigned char>(text[text.size() - 1]);
  if (b0 != 0xEF || (b2 & 0xC0) != 0x80) return 0;
  const unsigned code = 0xF000u | ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu);
  if (b1 < 0xBC || b1 > 0xBD || !IsAsciiLetter(static_cast<char>(code - 0xFEE0u))) return 0;
  letter = static_cast<char>(code - 0xFEE0u);
  return 3;
}

}  // namespace

Completion CompleteFunctionName(std::string_view before, bool openAfter) {
  // The letters in front of the cursor, full-width ones as ASCII.
  std::string typed;
  std::size_t characters = 0;
  bool wide = false;
  char letter = 0;
  for (std::size_t bytes; (bytes = LetterAtEnd(before, letter)) != 0; ++characters) {
    typed.insert(typed.begin(), letter);
    before.remove_suffix(bytes);
    wide = wide || bytes > 1;
  }

  Completion result;
  for (const std::string_view name : kFunctionNames)
    if (StartsWithIgnoringCase(name, typed)) result.candidates.push_back(name);
  if (result.candidates.empty()) return result;

  result.replace = characters;
  if (result.candidates.size() == 1) {
    result.insert = result.candidates.front();
    if (!openAfter) result.insert.push_back('(');
    result.candidates.clear();
    return result;
  }
  // The letters all candidates share, in the first one's spelling, but never
  // fewer than were typed, which then stay as they are.
  const std::string_view first = result.candidates.front();
  std::size_t common = first.size();
  for (const std::string_view name : result.candidates) {
    std::size_t i = 0;
    while (i < common && i < name.size() && Lower(name[i]) == Lower(first[i])) ++i;
    common = i;
  }
  // (Full-width letters typed become the name's own.)
  result.insert = common > typed.size() || wide ? std::string(first.substr(0, common))
                                                                     : std::string(typed);
  return result;
}

}  // namespace quillo_eval
