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

}  // namespace

Completion CompleteFunctionName(std::string_view before, bool openAfter) {
  std::size_t start = before.size();
  while (start > 0 && IsAsciiLetter(before[start - 1])) --start;
  const std::string_view typed = before.substr(start);

  Completion result;
  for (const std::string_view name : kFunctionNames)
    if (StartsWithIgnoringCase(name, typed)) result.candidates.push_back(name);
  if (result.candidates.empty()) return result;

  result.replace = typed.size();
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
  result.insert = common > typed.size() ? std::string(first.substr(0, common)) : std::string(typed);
  return result;
}

}  // namespace quillo_eval
