// The formula driver: opening test, normalisation, bracket balance, then the
// bracket groups one at a time, the last "(" first, each replaced by its value
// together with the function name in front of it and the power behind it.
#include <string>

#include "engine_internal.h"
#include "quillo/number_text.h"
#include "working_text.h"

namespace CalcString {
namespace {

bool IsNameDelimiter(char32_t c) { return IsOperator(c) || c == U'(' || c == U','; }
bool EndsGroupValue(char32_t c) { return IsOperator(c) || c == U')' || c == U','; }

// Writes the text that replaces a group into `plain`: the value of the group
// raised to its exponent, in the plain form. The value is what the strict
// reading makes of the library's value text; a name the library does not
// know makes `pending` the unsupported-function message and fails.
template <class Ch>
void GroupText(std::basic_string_view<Ch> inner, std::basic_string_view<Ch> name,
               std::basic_string_view<Ch> exponent, std::string& pending, NumberText& plain) {
  double value = 0;
  bool written = false;  // `plain` holds the plain form of `value`
  if (const auto fn = FindFunction(name)) {
    const Value result = ComputeFunction(*fn, inner);
    if (const auto* whole = std::get_if<std::int32_t>(&result)) {
      value = *whole;
    } else {
      // Its plain form, read back: the value rounded to 15 digits.
      WritePlain(std::get<double>(result), value, plain);
      written = true;
    }
  } else if (name.empty()) {
    const Evaluation<Ch> e = Evaluate(inner);
    if (e.kind == Evaluation<Ch>::kEmpty) throw CalcError("empty group");
    value = EvaluatedNumber(e);
  } else {
    pending = std::string(kMessageUnsupported) + EncodeUtf8(name);
    throw CalcError("unsupported function");
  }

  const bool one = exponent.size() == 1 && exponent[0] == Ch('1');
  const double power = one ? value : Power(value, ReadOperand(exponent));
  // The plain form of x^1, which is x, may be written already.
  if (!written || power != value) WritePlain(power, plain);
}

// Replaces the group whose "(" stands at `open` (0-based, in front of the
// cut) by its value.
template <class Ch>
void ReduceGroup(WorkingText<Ch>& text, std::size_t open, std::string& pending) {
  const auto front = text.Front();
  std::size_t nameFrom = open;
  while (nameFrom > 0 && !IsNameDelimiter(static_cast<char32_t>(front[nameFrom - 1]))) --nameFrom;
  // From here on the name, the group and what follows are one piece.
  text.MoveCut(nameFrom);
  const auto piece = text.Back();
  const std::size_t at = open - nameFrom;  // the "(" in the piece

  const std::size_t closeAt = piece.find(Ch(')'), at + 1);
  if (closeAt == piece.npos) throw CalcError("no ) after the last (");
  const std::size_t close = nameFrom + closeAt;
  // 16-bit positions: O + 1 and C + 1, counted from 1.
  if (open + 2 > kMaxPosition || close + 2 > kMaxPosition) throw CalcError("position overflow");

  std::basic_string_view<Ch> exponent;
  static constexpr Ch kOne[] = {Ch('1')};
  exponent = std::basic_string_view<Ch>(kOne, 1);
  std::size_t restAt = closeAt + 1;
  if (restAt < piece.size() && piece[restAt] == Ch('^')) {
    if (close + 3 > kMaxPosition) throw CalcError("position overflow");  // C + 2
    const std::size_t end = ScanOperand(piece, closeAt + 2, true);
    exponent = piece.substr(closeAt + 2, end - closeAt - 2);
    restAt = end;
  }

  NumberText value;
  GroupText(piece.substr(at + 1, closeAt - at - 1), piece.substr(0, at), exponent, pending, value);
  // The value goes in as text: a digit, a point or a letter right behind the
  // group would join it ("(1+2)3" is not 33). Only an operator, ")", "," or
  // the end may follow; a power's exponent already ends at one of those.
  if (restAt < piece.size() && !EndsGroupValue(static_cast<char32_t>(piece[restAt]))) {
    throw CalcError("a group followed by an operand");
  }
  text.ReplaceBack(restAt, value.View());
}

// Steps from the bracket balance on, on the normalised text.
template <class Ch>
Value Reduce(std::basic_string<Ch>&& normalised, std::string& pending) {
  if (normalised.empty() || IsOperator(static_cast<char32_t>(normalised.back()))) {
    throw CalcError("empty or unfinished");
  }
  std::size_t opens = 0;
  std::size_t closes = 0;
  for (const Ch c : normalised) {
    opens += c == Ch('(');
    closes += c == Ch(')');
  }
  if (opens > kMaxPosition || closes > kMaxPosition) throw CalcError("bracket count overflow");
  if (opens != closes) {
    pending = opens > closes ? kMessageMissingClose : kMessageMissingOpen;
    throw CalcError("unbalanced brackets");
  }

  WorkingText<Ch> text(std::move(normalised));
  // Nothing behind the cut holds a "(", so the last "(" is searched for in
  // front of it, and no character is looked at twice.
  for (;;) {
    const std::size_t open = text.Front().rfind(Ch('('));
    if (open == std::basic_string_view<Ch>::npos) break;
    ReduceGroup(text, open, pending);
  }

  const Evaluation<Ch> result = Evaluate(text.Whole());
  // A formula must end in a number, and one that the result box can show:
  // its 15-digit rounding must lie within the double range too.
  if (result.kind == Evaluation<Ch>::kEmpty) throw CalcError("no value");
  Round15(EvaluatedNumber(result));
  return EvaluatedValue(result);
}

Value EvaluateFormula(std::string_view source, std::string& pending) {
  auto text = DecodeText(source, true);
  if (!text) throw CalcError("invalid UTF-8");
  if (text->ascii) return Reduce(std::move(text->bytes), pending);
  return Reduce(std::move(text->wide), pending);
}

}  // namespace

Value CalcFormula(std::string_view source, const MessageBox& box) {
  std::string pending(kMessageGeneric);
  try {
    return EvaluateFormula(source, pending);
  } catch (const std::exception&) {
    // Every failure of the engine, and running out of memory, ends here.
  }
  if (box) {
    // The prompt is the message, two line breaks and the hint; the message
    // alone is returned.
    const std::size_t messageSize = pending.size();
    pending.append("\r\n\r\n").append(kErrorHint);
    box(pending, kStyleOkOnly, std::string(kErrorTitle));
    pending.resize(messageSize);
  }
  return pending;
}

}  // namespace CalcString
