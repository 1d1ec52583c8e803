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
// their length is what the 16-bit position limit applies to.
#include <cmath>
#include <string>
#include <vector>

#include "engine_internal.h"
#include "quillo/number_text.h"
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

std::string Trimmed(std::string text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

struct Operand {
  double value;
  std::size_t length;  // characters in the postfix text
};

// An expression that is a single operand comes back as it stands, unless it
// is a run of signs in front of a number, which is negated once per sign.
Value LoneOperand(std::u32string_view expression) {
  const auto first = expression.find_first_not_of(U' ');
  if (first == std::u32string_view::npos) return std::string();
  const auto last = expression.find_last_not_of(U' ');
  const std::u32string_view operand = expression.substr(first, last - first + 1);
  const auto signs = operand.find_first_not_of(U'-');
  if (signs == std::u32string_view::npos) throw CalcError("a lone sign");
  if (signs >= 2) return Trimmed(ShortForm(ReadOperand(operand)));
  return EncodeUtf8(operand);
}

}  // namespace

double ReadOperand(std::u32string_view text) {
  std::size_t signs = 0;
  while (signs < text.size() && text[signs] == U'-') ++signs;
  const double value = StrictRead(text.substr(signs));
  return signs % 2 == 1 ? -value : value;
}

double Power(double base, double exponent) {
  if (base < 0 && exponent != std::floor(exponent)) throw CalcError("no real power");
  if (base == 0 && exponent < 0) throw CalcError("division by zero");
  const double result = std::pow(base, exponent);
  if (!std::isfinite(result)) throw CalcError("overflow");
  return result;
}

Value EvaluateExpression(std::u32string_view x) {
  if (x.empty()) return std::monostate{};
  // "," separates function arguments; inside an expression it is an error.
  if (x.find(U',') != std::u32string_view::npos) throw CalcError("comma in expression");

  std::vector<Operand> values;
  std::vector<char32_t> pending;
  std::size_t valueChars = 0;  // characters of the operands on the value stack
  std::string lastResult;

  auto reduce = [&](char32_t op) {
    // The first "," of the postfix text stands behind the stacked operands
    // and their separating blanks.
    if (valueChars + values.size() >= kMaxPosition) throw CalcError("position overflow");
    if (values.size() < 2) throw CalcError("missing operand");
    const Operand right = values.back();
    values.pop_back();
    const Operand left = values.back();
    values.pop_back();
    const double exact = Apply(op, left.value, right.value);
    const double rounded = Round15(exact);
    lastResult = Trimmed(ShortForm(rounded));
    valueChars = valueChars - left.length - right.length + lastResult.size();
    values.push_back({rounded, lastResult.size()});
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

    const char32_t op = x[end];
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
  return lastResult;
}

Value CalcExpression(std::string_view expression) {
  const auto text = DecodeUtf8(expression);
  if (!text) throw CalcError("invalid UTF-8");
  return EvaluateExpression(*text);
}

}  // namespace CalcString
