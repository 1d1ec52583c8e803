// The formula driver: opening test, normalisation, bracket balance, then the
// bracket groups one at a time, the last "(" first, each replaced by its value
// together with the function name in front of it and the power behind it.
#include <algorithm>
#include <string>

#include "engine_internal.h"
#include "quillo/number_text.h"
#include "utf8.h"
#include "working_text.h"

namespace CalcString {
namespace {

bool IsBlank(char32_t c) {
  return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || c == U'\u3000';
}

// Blanks go, full-width forms (U+FF01..U+FF5E) become their ASCII twins.
std::u32string Normalise(const std::u32string& text) {
  std::u32string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (IsBlank(c)) continue;
    if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;
    out.push_back(c);
  }
  return out;
}

bool IsNameDelimiter(char32_t c) { return IsOperator(c) || c == U'(' || c == U','; }

// Replaces the group whose "(" stands at `open` (0-based) by its value.
// `pending` becomes the unsupported-function message when the name is not
// known; every other failure leaves it alone.
void ReduceGroup(WorkingText& text, std::size_t open, std::string& pending) {
  std::size_t close = open + 1;
  while (close < text.size() && text[close] != U')') ++close;
  if (close == text.size()) throw CalcError("no ) after the last (");
  // 16-bit positions: O + 1 and C + 1, counted from 1.
  if (open + 2 > kMaxPosition || close + 2 > kMaxPosition) throw CalcError("position overflow");

  std::u32string exponent = U"1";
  std::size_t restFrom = close + 1;
  if (restFrom < text.size() && text[restFrom] == U'^') {
    if (close + 3 > kMaxPosition) throw CalcError("position overflow");  // C + 2
    const std::size_t end = ScanOperand(text, close + 2, true);
    exponent = text.Substr(close + 2, end);
    restFrom = end;
  }

  std::size_t nameFrom = open;
  while (nameFrom > 0 && !IsNameDelimiter(text[nameFrom - 1])) --nameFrom;
  const std::u32string name = text.Substr(nameFrom, open);

  const Value value = EvaluateFunction(text.Substr(open + 1, close), name);
  const std::string valueText = ToText(value);
  const std::string nameText = EncodeUtf8(name);
  if (valueText == nameText) {
    if (name.empty()) throw CalcError("empty group");
    pending = std::string(kMessageUnsupported) + nameText;
    throw CalcError("unsupported function");
  }

  const double power = Power(StrictRead(valueText), ReadOperand(exponent));
  const std::string plain = PlainForm(power);
  text.Replace(nameFrom, restFrom, std::u32string(plain.begin(), plain.end()));
}

Value Evaluate(std::string_view source, std::string& pending) {
  const auto decoded = DecodeUtf8(source);
  if (!decoded) throw CalcError("invalid UTF-8");
  std::u32string normalised = Normalise(*decoded);
  if (normalised.empty() || IsOperator(normalised.back())) throw CalcError("empty or unfinished");

  const auto opens = static_cast<std::size_t>(std::count(normalised.begin(), normalised.end(), U'('));
  const auto closes = static_cast<std::size_t>(std::count(normalised.begin(), normalised.end(), U')'));
  if (opens > kMaxPosition || closes > kMaxPosition) throw CalcError("bracket count overflow");
  if (opens != closes) {
    pending = opens > closes ? kMessageMissingClose : kMessageMissingOpen;
    throw CalcError("unbalanced brackets");
  }

  WorkingText text(std::move(normalised));
  // Nothing behind the cut holds a "(", so the last "(" is searched for in
  // front of it, and no character is looked at twice.
  for (std::size_t searchEnd = text.cut(); searchEnd > 0;) {
    std::size_t open = searchEnd;
    while (open > 0 && text[open - 1] != U'(') --open;
    if (open == 0) break;
    ReduceGroup(text, open - 1, pending);
    searchEnd = text.cut();
  }

  Value result = EvaluateExpression(text.Str());
  // A formula must end in a number, and one that the result box can show:
  // its 15-digit rounding must lie within the double range too.
  Round15(StrictRead(ToText(result)));
  return result;
}

}  // namespace

Value CalcFormula(std::string_view source, const MessageBox& box) {
  std::string pending(kMessageGeneric);
  try {
    return Evaluate(source, pending);
  } catch (const std::exception&) {
    // Every failure of the engine, and running out of memory, ends here.
  }
  if (box) {
    std::string prompt = pending;
    prompt.append("\r\n\r\n").append(kErrorHint);
    box(prompt, kStyleOkOnly, std::string(kErrorTitle));
  }
  return pending;
}

}  // namespace CalcString
