// The arithmetic evaluator: a bracket-free expression, operators by the
// priority text "(^/*-+" (a smaller position binds tighter, equal priorities
// from left to right), every intermediate value rounded to 15 significant
// digits as its short form.
//
// The evaluation is the classic operator-precedence one: operands go onto a
// value stack, an operator waits on the pending stack until one of the same
// or a looser priority arrives. That is exactly the order in which a postfix
// text "1 2 3,^ 4,*,+" would be reduced from its first ",", and the value
// stack's texts joined by blanks are the postfix text in front of that ",";
// their length is what the 16-bit position limit applies to. Values stay
// numbers; of each step's short form only its length is kept, and the text of
// the last one.
#include <cmath>
#include <string>
#include <vector>

#include "engine_internal.h"
#include "number_format.h"
#include "quillo/number_text.h"
#include "quillo/real_math.h"
#include "utf8.h"

namespace CalcString {
namespace {

int Priority(char32_t op) {
  switch (op) {
    case U'^': return 2;
    case U'/': return 3;
    case U'*': return 4;
    case U'-': return 5;
    default: return 6;  // "+"
  }
}

double Apply(char32_t op, double left, double right) {
  double result = 0;
  switch (op) {
    case U'+': result = left + right; break;
    case U'-': result = left - right; break;
    case U'*': result = left * right; break;
    case U'/':
      if (right == 0) throw CalcError("division by zero");
      result = left / right;
      break;
    default: return Power(left, right);
  }
  if (!std::isfinite(result)) throw CalcError("overflow");
  return result;
}

struct Operand {
  double value;
  std::size_t length;  // characters in the postfix text
};

// An expression that is a single operand: as it stands, blanks trimmed,
// unless it is a run of signs in front of a number, which is negated once
// per sign and written in the short form.
template <class Ch>
Evaluation<Ch> LoneOperand(std::basic_string_view<Ch> expression) {
  using View = std::basic_string_view<Ch>;
  Evaluation<Ch> out;
  const auto first = expression.find_first_not_of(Ch(' '));
  if (first == View::npos) {
    out.kind = Evaluation<Ch>::kLone;  // the empty text
    return out;
  }
  const auto last = expression.find_last_not_of(Ch(' '));
  const View operand = expression.substr(first, last - first + 1);
  const auto signs = operand.find_first_not_of(Ch('-'));
  if (signs == View::npos) throw CalcError("a lone sign");
  if (signs >= 2) {
    out.kind = Evaluation<Ch>::kSigned;
    out.value = ReadOperand(operand);
    WriteShort(out.value, out.text);
    return out;
  }
  out.kind = Evaluation<Ch>::kLone;
  out.lone = operand;
  return out;
}

}  // namespace

double Power(double base, double exponent) {
  if (base < 0 && exponent != std::floor(exponent)) throw CalcError("no real power");
  if (base == 0 && exponent < 0) throw CalcError("division by zero");
  const double result = RealMath::Pow(base, exponent);
  if (!std::isfinite(result)) throw CalcError("overflow");
  return result;
}

template <class Ch>
Evaluation<Ch> Evaluate(std::basic_string_view<Ch> x) {
  Evaluation<Ch> out;
  if (x.empty()) return out;  // the empty value
  // A number alone (most arguments and groups are), read at once: the scan
  // below would take it whole as the last operand, blanks and signs aside.
  if (x.size() <= kMaxPosition && x[0] != Ch('+') && x[0] != Ch(' ') &&
      !(x[0] == Ch('-') && x.size() > 1 && x[1] == Ch('-')) && ReadWholeNumber(x, out.value)) {
    out.kind = Evaluation<Ch>::kLone;
    out.lone = x;
    out.loneRead = true;
    return out;
  }
  // "," separates function arguments; inside an expression it is an error.
  if (x.find(Ch(',')) != std::basic_string_view<Ch>::npos) throw CalcError("comma in expression");

  std::vector<Operand> values;
  std::vector<char32_t> pending;
  std::size_t valueChars = 0;  // characters of the operands on the value stack

  auto reduce = [&](char32_t op) {
    // The first "," of the postfix text stands behind the stacked operands
    // and their separating blanks.
    if (valueChars + values.size() >= kMaxPosition) throw CalcError("position overflow");
    if (values.size() < 2) throw CalcError("missing operand");
    const Operand right = values.back();
    values.pop_back();
    const Operand left = values.back();
    values.pop_back();
    double rounded = 0;
    WriteShort(Apply(op, left.value, right.value), rounded, out.text);
    valueChars = valueChars - left.length - right.length + out.text.size;
    values.push_back({rounded, out.text.size});
  };

  std::size_t pos = 0;
  bool sawOperator = false;
  for (;;) {
    const std::size_t end = ScanOperand(x, pos, false);
    const std::size_t length = end - pos;
    const bool last = end == x.size();
    if (last ? length > kMaxPosition : length >= kMaxPosition) {
      throw CalcError("position overflow");
    }
    if (last && !sawOperator) return LoneOperand(x);

    values.push_back({ReadOperand(x.substr(pos, length)), length});
    valueChars += length;
    if (last) break;

    const auto op = static_cast<char32_t>(x[end]);
    sawOperator = true;
    pos = end + 1;
    if (pos == x.size()) throw CalcError("operator without right operand");
    const int priority = Priority(op);
    while (!pending.empty() && Priority(pending.back()) <= priority) {
      reduce(pending.back());
      pending.pop_back();
    }
    pending.push_back(op);
  }
  while (!pending.empty()) {
    reduce(pending.back());
    pending.pop_back();
  }
  out.kind = Evaluation<Ch>::kComputed;
  out.value = values.back().value;
  return out;
}

template <class Ch>
Value EvaluatedValue(const Evaluation<Ch>& e) {
  switch (e.kind) {
    case Evaluation<Ch>::kEmpty: return std::monostate{};
    case Evaluation<Ch>::kLone: return EncodeUtf8(e.lone);
    default: return e.text.Str();
  }
}

template <class Ch>
double EvaluatedNumber(const Evaluation<Ch>& e) {
  switch (e.kind) {
    case Evaluation<Ch>::kEmpty: return 0;
    case Evaluation<Ch>::kLone: return e.loneRead ? e.value : StrictRead(e.lone);
    case Evaluation<Ch>::kSigned: return Round15(e.value);  // its short form, read back
    default: return e.value;
  }
}

template Evaluation<char> Evaluate(std::string_view);
template Evaluation<char32_t> Evaluate(std::u32string_view);
template Value EvaluatedValue(const Evaluation<char>&);
template Value EvaluatedValue(const Evaluation<char32_t>&);
template double EvaluatedNumber(const Evaluation<char>&);
template double EvaluatedNumber(const Evaluation<char32_t>&);

Value CalcExpression(std::string_view expression) {
  const auto text = DecodeText(expression, false);
  if (!text) throw CalcError("invalid UTF-8");
  if (text->ascii) return EvaluatedValue(Evaluate(std::string_view(text->bytes)));
  return EvaluatedValue(Evaluate(std::u32string_view(text->wide)));
}

}  // namespace CalcString
