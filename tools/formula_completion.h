// Tab completion of the calculator's function names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillo_eval {

// The thirteen functions, spelled as the manual lists them.
inline constexpr std::string_view kFunctionNames[] = {
    "pi", "rand", "abs", "int", "sqrt", "sin", "Asin", "cos", "Acos", "tan", "mod", "power", "round"};

struct Completion {
  // How many characters in front of the cursor to replace, and with what.
  std::size_t replace = 0;
  std::string insert;
  // The candidates when the name is not yet settled: shown to the user.
  std::vector<std::string_view> candidates;
};

// Completes the name that ends at the cursor: `before` is the text in front
// of the cursor (UTF-8). Letters are matched in any case, full-width ones
// as their ASCII twins; `replace` counts characters. One match gives the name
// and "(" (just the name when `openAfter`, the character behind the cursor,
// is already a "("); several extend the typed letters as far as they agree
// and list themselves; none gives an empty result.
Completion CompleteFunctionName(std::string_view before, bool openAfter);

}  // namespace quillo_eval
