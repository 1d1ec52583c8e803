// The formula driver, step by step: opening test, normalisation, bracket
// balance, then the last "(" first, each group spliced out of the working
// text together with the name in front of it and the power behind it, and
// finally the arithmetic evaluator. Beyond the bare algorithm: blanks
// go and full-width forms become ASCII before the opening test; "," ends a
// name and a power's exponent; the exponent is read like an operand; "()" is
// the generic failure; a group must be followed by an operator, ")", "," or
// the end; the final value must be a number.
#include "number_text.h"
#include "reference_engine.h"
#include "reference_internal.h"

namespace Reference {
namespace {

const std::string kGeneric = ">> 公式有误或为空";
const std::string kMissingClose = ">>表达式缺右括号：)";
const std::string kMissingOpen = ">>表达式缺左括号：(";
const std::string kUnsupported = ">> 暂不支持函数：";
const std::string kTitle = "错误提示";
const std::string kHint = "        请输入或修改……";

bool IsBlank(char32_t c) {
  return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || c == 0x3000;
}

Text Normalise(const Text& text) {
  Text out;
  for (char32_t c : text) {
    if (IsBlank(c)) continue;
    if (c >= 0xFF01 && c <= 0xFF5E) c = c - 0xFF01 + 0x21;
    out.push_back(c);
  }
  return out;
}

bool EndsPower(char32_t c) { return IsOperator(c) || c == U')' || c == U','; }
bool EndsName(char32_t c) { return IsOperator(c) || c == U'(' || c == U','; }


std::string Evaluate(std::string_view source, std::string& pending) {
  // 2. and 3.
  const auto decoded = DecodeUtf8(source);
  if (!decoded) throw Failure("not UTF-8");
  Text s = Normalise(*decoded);
  if (s.empty() || IsOperator(At(s, Len(s)))) throw Failure("empty or unfinished");

  // 4.
  const long opens = Pos16(Len(s) - Len(Replace(s, U"(", U"")));
  const long closes = Pos16(Len(s) - Len(Replace(s, U")", U"")));
  if (opens != closes) {
    pending = opens > closes ? kMissingClose : kMissingOpen;
    throw Failure("unbalanced");
  }

  // 5.
  while (InStr(s, U"(") > 0) {
    // a.
    const long o = Pos16(InStrRev(s, U"("));
    const long c = Pos16(InStr(o, s, U")"));
    // b.
    const Text inner = Mid(s, Pos16(o + 1), c - o - 1);
    // c.
    Text exponent;
    Text rest;
    if (At(s, Pos16(c + 1)) == U'^') {
      long e = Pos16(c + 2);
      while (At(s, e) == U'-') ++e;
      const long start = e;
      while (e <= Len(s) && !(EndsPower(At(s, e)) && !IsExponentSign(s, start, e))) ++e;
      exponent = Mid(s, c + 2, e - c - 2);
      rest = Mid(s, e);
    } else {
      exponent = U"1";
      rest = Mid(s, c + 1);
    }
    // d.
    Text name;
    Text prefix;
    if (o != 1) {
      long d = o - 1;
      while (d >= 1 && !EndsName(At(s, d))) --d;
      name = Mid(s, d + 1, o - d - 1);
      prefix = Left(s, d);
    }
    // e.
    const Text valueText = ToText(CalcFunction(inner, name));
    // f.
    if (valueText == name) {
      if (name.empty()) throw Failure("an empty group");
      pending = kUnsupported + EncodeUtf8(name);
      throw Failure("unsupported function");
    }
    // What follows the group, after its power, must not run on into the
    // value text: an operator, ")", "," or the end.
    if (!rest.empty() && !EndsPower(rest[0])) throw Failure("a group followed by an operand");
    // g.
    const double value = StrictRead(valueText);
    const double power = Power(value, ReadOperand(exponent));
    // h.
    s = prefix + PlainForm(power) + rest;
  }

  // 6. The final value must be a number, and its short form (what the
  // result box shows) a number too.
  const Text result = ToText(CalcExpression(s));
  StrictRead(ShortForm(StrictRead(result)));
  return EncodeUtf8(result);
}

}  // namespace

std::string CalcFormula(std::string_view source, const MessageBox& box) {
  // 1.
  std::string pending = kGeneric;
  try {
    return Evaluate(source, pending);
  } catch (const Failure&) {
  } catch (const std::exception&) {
    // Running out of memory on a huge formula ends the same way.
  }
  // 7.
  if (box) box(pending + "\r\n\r\n" + kHint, 0, kTitle);
  return pending;
}

}  // namespace Reference
