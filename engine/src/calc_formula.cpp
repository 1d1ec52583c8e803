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
void Normalise(std::u32string& text) {
  std::size_t kept = 0;
  for (char32_t c : text) {
    if (IsBlank(c)) continue;
    if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;
    text[kept++] = c;
  }
  text.resize(kept);
}

bool IsNameDelimiter(char32_t c) { return IsOperator(c) || c == U'(' || c == U','; }

// The text that replaces a group: the value of the group raised to its
// exponent, in the plain form. The value is what the strict reading makes of
// the library's value text; a name the library does not know makes
// `pending` the unsupported-function message and fails.
NumberText GroupText(std::u32string_view inner, std::u32string_view name,
                     std::u32string_view exponent, std::string& pending) {
  double value = 0;
  NumberText plain;  // the plain form of `value`, when already written
  bool written = false;
  if (const auto fn = FindFunction(name)) {
    const Value result = ComputeFunction(*fn, inner);
    if (const auto* whole = std::get_if<std::int32_t>(&result)) {
      value = *whole;
    } else {
      // Its plain form, read back: the value rounded to 15 digits.
      plain = PlainText(std::get<double>(result), value);
      written = true;
    }
  } else if (name.empty()) {
    const Evaluation e = Evaluate(inner);
    if (e.kind == Evaluation::kEmpty) throw CalcError("empty group");
    value = EvaluatedNumber(e);
  } else {
    pending = std::string(kMessageUnsupported) + EncodeUtf8(name);
    throw CalcError("unsupported function");
  }

  const double power = Power(value, exponent == U"1" ? 1.0 : ReadOperand(exponent));
  // x^1 is x, whose plain form may be written already.
  return written && power == value ? plain : PlainText(power);
}

// Replaces the group whose "(" stands at `open` (0-based, in front of the
// cut) by its value.
void ReduceGroup(WorkingText& text, std::size_t open, std::string& pending) {
  const std::u32string_view front = text.Front();
  std::size_t nameFrom = open;
  while (nameFrom > 0 && !IsNameDelimiter(front[nameFrom - 1])) --nameFrom;
  // From here on the name, the group and what follows are one piece.
  text.MoveCut(nameFrom);
  const std::u32string_view piece = text.Back();
  const std::size_t at = open - nameFrom;  // the "(" in the piece

  const std::size_t closeAt = piece.find(U')', at + 1);
  if (closeAt == std::u32string_view::npos) throw CalcError("no ) after the last (");
  const std::size_t close = nameFrom + closeAt;
  // 16-bit positions: O + 1 and C + 1, counted from 1.
  if (open + 2 > kMaxPosition || close + 2 > kMaxPosition) throw CalcError("position overflow");

  std::u32string_view exponent = U"1";
  std::size_t restAt = closeAt + 1;
  if (restAt < piece.size() && piece[restAt] == U'^') {
    if (close + 3 > kMaxPosition) throw CalcError("position overflow");  // C + 2
    const std::size_t end = ScanOperand(piece, closeAt + 2, true);
    exponent = piece.substr(closeAt + 2, end - closeAt - 2);
    restAt = end;
  }

  const NumberText value =
      GroupText(piece.substr(at + 1, closeAt - at - 1), piece.substr(0, at), exponent, pending);
  text.ReplaceBack(restAt, value.View());
}

Value EvaluateFormula(std::string_view source, std::string& pending) {
  auto decoded = DecodeUtf8(source);
  if (!decoded) throw CalcError("invalid UTF-8");
  Normalise(*decoded);
  if (decoded->empty() || IsOperator(decoded->back())) throw CalcError("empty or unfinished");

  const auto opens = static_cast<std::size_t>(std::count(decoded->begin(), decoded->end(), U'('));
  const auto closes = static_cast<std::size_t>(std::count(decoded->begin(), decoded->end(), U')'));
  if (opens > kMaxPosition || closes > kMaxPosition) throw CalcError("bracket count overflow");
  if (opens != closes) {
    pending = opens > closes ? kMessageMissingClose : kMessageMissingOpen;
    throw CalcError("unbalanced brackets");
  }

  WorkingText text(*decoded);
  decoded.reset();
  // Nothing behind the cut holds a "(", so the last "(" is searched for in
  // front of it, and no character is looked at twice.
  for (;;) {
    const std::size_t open = text.Front().rfind(U'(');
    if (open == std::u32string_view::npos) break;
    ReduceGroup(text, open, pending);
  }

  const Evaluation result = Evaluate(text.Whole());
  // A formula must end in a number.
  if (result.kind == Evaluation::kEmpty) throw CalcError("no value");
  EvaluatedNumber(result);
  if (result.kind == Evaluation::kLone) return EncodeUtf8(result.lone);
  return result.text.Str();
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
    std::string prompt = pending;
    prompt.append("\r\n\r\n").append(kErrorHint);
    box(prompt, kStyleOkOnly, std::string(kErrorTitle));
  }
  return pending;
}

}  // namespace CalcString
