// One formula's output line, the same in batch and interactive mode.
#pragma once

#include <string>
#include <string_view>

namespace quillo_eval {

struct FormulaLine {
  std::string text;  // without the line break
  bool ok = false;   // false when the text is the engine's message
};

// The result as the window's result box shows it (" 7.02393675181428"), or
// the message of a formula that cannot be evaluated (">> 公式有误或为空").
FormulaLine EvaluateFormula(std::string_view formula);

}  // namespace quillo_eval
