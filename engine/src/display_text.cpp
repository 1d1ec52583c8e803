// The text the result box shows for a result.
#include <string>

#include "quillo/calc_string.h"
#include "quillo/number_text.h"

namespace CalcString {

std::optional<std::string> DisplayText(std::string_view result) {
  try {
    const double lenient = LenientRead(result);
    const double value = StrictRead(result);
    const std::string shortForm = ShortForm(value);
    const auto first = shortForm.find_first_not_of(' ');
    std::string text = lenient > 0 && lenient < 1 ? " 0" : " ";
    text.append(shortForm, first);  // the short form never ends in a blank
    return text;
  } catch (const CalcError&) {
    return std::nullopt;
  }
}

}  // namespace CalcString
