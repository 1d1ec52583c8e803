// The arithmetic evaluator, step by step: a scanning pass that writes the
// postfix text ("1 2 3,^ 4,*,+") with a pending-operator text ("*,+"), then a
// reduction pass that rewrites the postfix text at its first "," until none
// is left. Beyond the bare algorithm: a number in exponent form stays
// whole; a run of "-" in front of an operand negates once per sign; every
// operand must be a number; a "," in the expression is a failure.
#include <cmath>

#include "number_text.h"
#include "quillo/real_math.h"
#include "reference_internal.h"

namespace Reference {
namespace {

const Text kPriorities = U"(^/*-+";

long Priority(char32_t op) { return InStr(kPriorities, Text(1, op)); }

bool IsMantissa(const Text& s) {
  long digits = 0;
  long points = 0;
  for (const char32_t c : s) {
    if (IsDigit(c)) {
      ++digits;
    } else if (c == U'.') {
      ++points;
    } else {
      return false;
    }
  }
  return digits > 0 && points <= 1;
}

double Compute(char32_t op, double left, double right) {
  double result = 0;
  switch (op) {
    case U'+': result = left + right; break;
    case U'-': result = left - right; break;
    case U'*': result = left * right; break;
    case U'/':
      if (right == 0) throw Failure(left == 0 ? "0/0" : "division by zero");
      result = left / right;
      break;
    case U'^': return Power(left, right);
    default: throw Failure("not an operator");
  }
  if (!std::isfinite(result)) throw Failure("overflow");
  return result;
}

// Puts `op` on top of the pending-operator text.
Text Push(char32_t op, const Text& pending) {
  return pending.empty() ? Text(1, op) : Text(1, op) + U"," + pending;
}

}  // namespace

bool IsExponentSign(const Text& s, long start, long i) {
  const char32_t c = At(s, i);
  if (c != U'+' && c != U'-') return false;
  if (At(s, i - 1) != U'E' && At(s, i - 1) != U'e') return false;
  if (!IsDigit(At(s, i + 1))) return false;
  return i - 1 > start && IsMantissa(Mid(s, start, i - 1 - start));
}

double ReadOperand(const Text& operand) {
  long signs = 0;
  while (At(operand, signs + 1) == U'-') ++signs;
  const double value = StrictRead(Mid(operand, signs + 1));
  return signs % 2 == 1 ? -value : value;
}

double Power(double base, double exponent) {
  if (base < 0 && exponent != std::floor(exponent)) throw Failure("no real power");
  if (base == 0 && exponent < 0) throw Failure("division by zero");
  const double result = RealMath::Pow(base, exponent);
  if (!std::isfinite(result)) throw Failure("overflow");
  return result;
}

Value CalcExpression(const Text& expression) {
  // 1.
  if (expression.empty()) return std::monostate{};
  if (InStr(expression, U",") > 0) throw Failure("a comma in an expression");

  // 2. Scanning pass.
  Text r = expression;  // remaining text
  Text p;               // postfix text
  Text s;               // pending-operator text
  for (;;) {
    // a. A run of "-" is the operand's sign.
    long i = 1;
    while (At(r, i) == U'-') i = Pos16(i + 1);
    const long start = i;
    // b. Up to the first operator character that is not an exponent's sign,
    // or the last character.
    while (!(IsOperator(At(r, i)) && !IsExponentSign(r, start, i)) && i < Len(r)) i = Pos16(i + 1);
    // c. The rest is the last operand.
    if (i == Len(r)) {
      p += (p.empty() ? U"" : U" ") + r;
      if (!s.empty()) p += U"," + s;
      break;
    }
    // d. Nothing but signs.
    if (i > Len(r)) throw Failure("a lone sign");
    // e.
    const Text operand = Left(r, i - 1);
    const char32_t op = At(r, i);
    r = Mid(r, i + 1);
    // f.
    if (!p.empty()) p += U" ";
    p += operand;
    // g.
    const long c = Priority(op);
    const long t = s.empty() ? 7 : Priority(At(s, 1));
    if (c >= t) {
      while (!s.empty() && Priority(At(s, 1)) <= c) {
        p += Text(U",") + At(s, 1);
        s = Mid(s, 3);
      }
    }
    s = Push(op, s);
  }

  // 3.
  p = Trim(p);

  // An operand alone with a run of signs in front: negated once per sign.
  if (InStr(p, U",") == 0 && Mid(p, 1, 2) == U"--") return Trim(ShortForm(ReadOperand(p)));

  // 4. Reduction pass.
  while (InStr(p, U",") > 0) {
    // a.
    const long a = Pos16(InStr(p, U","));
    const char32_t op = At(p, Pos16(a + 1));
    if (op == 0) throw Failure("a comma at the end");
    const Text tail = Mid(p, a + 2);
    Text head = Left(p, a - 1);
    // b.
    const long blank = Pos16(InStrRev(head, U" "));
    if (blank == 0) throw Failure("an operator without a left operand");
    const Text right = Mid(head, blank + 1);
    head = Left(head, blank - 1);
    // c.
    const long before = Pos16(InStrRev(head, U" "));
    const Text left = before == 0 ? head : Mid(head, before + 1);
    head = before == 0 ? Text() : Left(head, before);
    // d. Every operand must be a number; the result is rounded to 15
    // significant digits by being written in the short form.
    const double l = ReadOperand(left);
    const double rv = ReadOperand(right);
    const Text last = Trim(ShortForm(Compute(op, l, rv)));
    // e.
    p = head + last + tail;
  }

  // 5.
  return p;
}

}  // namespace Reference
