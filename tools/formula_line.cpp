#include "formula_line.h"

#include "quillo/calc_string.h"

namespace quillo_eval {

FormulaLine EvaluateFormula(std::string_view formula) {
  bool failed = false;
  const auto value = CalcString::CalcFormula(
      formula, [&failed](const std::string&, int, const std::string&) { failed = true; });
  std::string text = CalcString::ToText(value);
  if (failed) return {std::move(text), false};
  // Never empty: a formula succeeds only with a number text.
  auto display = CalcString::DisplayText(text);
  return {display ? std::move(*display) : std::move(text), true};
}

}  // namespace quillo_eval
